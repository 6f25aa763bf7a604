#include "tools/ToolTable.h"
#include "info/InfoRows.h"
#include "tools/Dropper.h"
#include "tools/Magnifier.h"
#include "tools/Measurer.h"
#include "tools/Screenshot.h"

namespace {
template <typename T> std::unique_ptr<TTool> Make(TToolActivation& activation) {
    return std::make_unique<T>(activation);
}

constexpr TShortCut kEsc = VK_ESCAPE;

constexpr TToolMenuItem kScreenshotMenu[] = {
    {L"mniCopy", L"C&opy", scCtrl | 'C', TToolCommand::Copy},
    {L"mniSave", L"&Save...", scCtrl | 'S', TToolCommand::Save},
    {L"mniScreenshotSep2", L"-"},
    {L"mniScreenshotInfo", L"Hide &info", 0, TToolCommand::ShowHideInfo},
    {L"mniScreenshotSep1", L"-"},
    {L"mniClose", L"&Close", kEsc, TToolCommand::Close},
};

constexpr TToolMenuItem kMeasurerDropperMenu[] = {
    {L"mniMeasurerInfo", L"Hide &info", 0, TToolCommand::ShowHideInfo},
    {L"mniMeasurerClose", L"&Close", kEsc, TToolCommand::Close},
};
} // namespace

const TToolInfo kTools[kToolCount] = {
    {L"Magnifier",
     L"mniMagnifier",
     L"Ma&gnifier",
     L"MagnifierIcons",
     &TSettings::MagnifierKey,
     kToolChoosesCursor,
     nullptr,
     clBlack,
     TPenMode::Copy,
     TPenStyle::Solid,
     TBrushStyle::Clear,
     nullptr,
     {},
     0,
     nullptr,
     nullptr,
     Make<TMagnifier>},
    {L"Screenshot", L"mniScreenshot", L"&Screenshot", L"ScreenshotIcons", &TSettings::ScreenshotKey,
     1, L"Screenshot", clSilver, TPenMode::Xor, TPenStyle::Dot, TBrushStyle::Clear,
     L"pmnScreenshot", kScreenshotMenu, kScreenshotRows, &TSettings::ScreenshotPosX,
     &TSettings::ScreenshotPosY, Make<TScreenshot>},
    {L"Measurer", L"mniMeasurer", L"&Measurer", L"MeasurerIcons", &TSettings::MeasurerKey, 2,
     L"Measurer", clSilver, TPenMode::Xor, TPenStyle::Solid, TBrushStyle::Clear,
     L"pmnMeasurerDropper", kMeasurerDropperMenu, kMeasurerRows, &TSettings::MeasurerPosX,
     &TSettings::MeasurerPosY, Make<TMeasurer>},
    {L"Dropper", L"mniDropper", L"&Dropper", L"DropperIcons", &TSettings::DropperKey, 3, L"Dropper",
     clBlack, TPenMode::Copy, TPenStyle::Solid, TBrushStyle::Solid, L"pmnMeasurerDropper",
     kMeasurerDropperMenu, kDropperRows, &TSettings::DropperPosX, &TSettings::DropperPosY,
     Make<TDropper>},
};
