// Screen and overlay positions are types of their own: the compiler accepts
// neither where the other is meant, and only the activation converts. These
// checks run when the tests are built; a conversion added anywhere fails it.
#include "info/InfoGeometry.h"
#include "tools/PointerStep.h"
#include "tools/ToolActivation.h"
#include <concepts>
#include <type_traits>
#include <vector>

namespace {
template <typename P>
concept ActivationTakesToOverlay = requires(const TToolActivation& a, P p) {
    { a.ToOverlay(p) } -> std::same_as<TOverlayPoint>;
};
template <typename P>
concept ActivationTakesToScreen = requires(const TToolActivation& a, P p) {
    { a.ToScreen(p) } -> std::same_as<TScreenPoint>;
};
static_assert(ActivationTakesToOverlay<TScreenPoint>);
static_assert(!ActivationTakesToOverlay<TOverlayPoint>);
static_assert(ActivationTakesToScreen<TOverlayPoint>);
static_assert(!ActivationTakesToScreen<TScreenPoint>);

static_assert(!std::is_convertible_v<TOverlayPoint, TScreenPoint>);
static_assert(!std::is_convertible_v<TScreenPoint, TOverlayPoint>);
static_assert(!std::is_convertible_v<TOverlayRect, TScreenRect>);
static_assert(!std::is_convertible_v<TScreenRect, TOverlayRect>);
static_assert(!std::is_convertible_v<TScreenPoint, TPoint>);

// A tool's mouse handlers take points of the overlay.
template <typename P>
concept ToolMouseTakes = requires(TTool& tool, P p) {
    tool.MouseDown(TMouseButton::mbLeft, 0, p);
};
static_assert(ToolMouseTakes<TOverlayPoint> && !ToolMouseTakes<TScreenPoint>);

// The keys step the system's pointer, on the screen.
template <typename P>
concept StepTakes = requires(P p, std::vector<TScreenRect> monitors) {
    PointerStep(p, TArrowKey::Left, false, monitors);
};
static_assert(StepTakes<TScreenPoint> && !StepTakes<TOverlayPoint>);

// The panel's stored place is a point of the screen.
template <typename P>
concept PanelPlaceTakes = requires(P p, std::vector<TScreenRect> monitors) {
    InfoPanelPlace(p, 1, 1, monitors);
};
static_assert(PanelPlaceTakes<TScreenPoint> && !PanelPlaceTakes<TOverlayPoint>);
} // namespace
