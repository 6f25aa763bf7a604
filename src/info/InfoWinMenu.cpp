// The information panel's popup menu: hide the panel, copy a colour value
// as shown or as one of the further notations, choose the zoom view's
// enlargement, and on the Dropper's panel the sample area and the recent
// colours.
#include "framework/Clipboard.h"
#include "info/ColorTexts.h"
#include "info/InfoWin.h"
#include "info/RecentColors.h"
#include "shell/Settings.h"
#include "tools/SampleArea.h"
#include <memory>
#include <optional>

namespace {
struct ZoomItem {
    const wchar_t* name;
    const wchar_t* caption;
    int scale;
};
struct NotationItem {
    const wchar_t* name;
    const wchar_t* caption;
    TColorNotation notation;
};
struct AreaItem {
    const wchar_t* name;
    const wchar_t* caption;
    int side;
};
// Each with its own access key, so "Copy as" works from the keyboard alone.
constexpr NotationItem kNotationItems[] = {
    {L"mniCopyHsl", L"&HSL  hsl()", TColorNotation::Hsl},
    {L"mniCopyLab", L"CIE &Lab  lab()", TColorNotation::Lab},
    {L"mniCopyOklch", L"&OKLCH  oklch()", TColorNotation::Oklch},
    {L"mniCopyFloats", L"&Floats 0 to 1", TColorNotation::Floats},
    {L"mniCopyCssColor", L"&CSS color()", TColorNotation::CssColor},
};
constexpr ZoomItem kZoomItems[] = {{L"mniZoom2", L"x2", 2},
                                   {L"mniZoom3", L"x3", 3},
                                   {L"mniZoom5", L"x5", 5},
                                   {L"mniZoom10", L"x10", 10}};
constexpr AreaItem kAreaItems[] = {{L"mniArea1", L"&1 x 1 pixel", 1},
                                   {L"mniArea3", L"&3 x 3 pixels", 3},
                                   {L"mniArea5", L"&5 x 5 pixels", 5},
                                   {L"mniArea9", L"&9 x 9 pixels", 9}};

// "&3  #FF8000": the access key is the place in the list.
std::wstring RecentColorCaption(size_t place, TColorValue color) {
    return L"&" + std::to_wstring(place) + L"  " + HtmlColorText(color);
}
} // namespace

void BuildInfoWinMenu(TPopupMenu& pmnInfoWin, std::function<TInfoWin*()> panel,
                      std::function<bool()> marked) {
    // The notation chosen under "Copy as" last, for the recent colours: the
    // one the user pastes into, as far as the program can tell. Until one is
    // chosen, the HTML text the panel's own row shows.
    auto lastNotation = std::make_shared<std::optional<TColorNotation>>();

    TMenuItem& mniHideInfo = pmnInfoWin.Add(L"mniHideInfo", L"Hide &info");
    TMenuItem& mniInfoSep = pmnInfoWin.Add(L"mniInfoSep", L"-");
    TMenuItem& mniCopyInfo = pmnInfoWin.Add(L"mniCopyInfo", L"&Copy");
    TMenuItem& mniCopyInfoAs = pmnInfoWin.Add(L"mniCopyInfoAs", L"Copy &as");
    for (const NotationItem& n : kNotationItems) {
        TMenuItem& item = mniCopyInfoAs.Add(n.name, n.caption, static_cast<int>(n.notation));
        item.OnClick = [panel, lastNotation](TMenuItem& sender) {
            const auto notation = static_cast<TColorNotation>(sender.Tag);
            *lastNotation = notation;
            if (TInfoWin* p = panel()) p->CopyMenuColorAs(notation);
        };
    }
    std::vector<TMenuItem*> zoomItems;
    for (const ZoomItem& z : kZoomItems) {
        TMenuItem& item = pmnInfoWin.Add(z.name, z.caption, z.scale);
        item.RadioItem = true;
        zoomItems.push_back(&item);
    }
    TMenuItem& mniColorSep = pmnInfoWin.Add(L"mniColorSep", L"-");
    TMenuItem& mniSampleArea = pmnInfoWin.Add(L"mniSampleArea", L"&Sample area");
    for (const AreaItem& a : kAreaItems) {
        TMenuItem& item = mniSampleArea.Add(a.name, a.caption, a.side);
        item.RadioItem = true;
        item.OnClick = [panel](TMenuItem& sender) {
            Settings.DropperArea = sender.Tag;
            // The rows and the zoom view show the new square at once.
            if (TInfoWin* p = panel()) p->FollowPointer();
        };
    }
    TMenuItem& mniRecentColors = pmnInfoWin.Add(L"mniRecentColors", L"&Recent colours");

    mniHideInfo.OnClick = [panel](TMenuItem&) { // mniHideInfoClick
        if (TInfoWin* p = panel()) p->Hide();
    };
    mniCopyInfo.OnClick = [panel](TMenuItem&) { // mniCopyInfoClick
        if (TInfoWin* p = panel()) p->CopyMenuValue();
    };
    for (TMenuItem* item : zoomItems) {
        // mniInfoZoomClick; the check mark follows the setting at the next popup.
        item->OnClick = [](TMenuItem& sender) { Settings.InfoScale = sender.Tag; };
    }
    auto copyRecent = [panel, lastNotation](TMenuItem& sender) {
        const size_t place = static_cast<size_t>(sender.Tag);
        TInfoWin* p = panel();
        if (!p || place >= Settings.RecentColors.size()) return;
        const TColorValue color = Settings.RecentColors[place];
        ClipboardSetText(p->Handle(), *lastNotation ? NotationText(color, **lastNotation)
                                                    : HtmlColorText(color));
    };

    // pmnInfoWinPopup: the items fit the control the menu opened on.
    pmnInfoWin.OnPopup = [panel, marked, copyRecent, &mniInfoSep, &mniCopyInfo, &mniCopyInfoAs,
                          zoomItems, &mniColorSep, &mniSampleArea, &mniRecentColors](TPopupMenu&) {
        const TInfoWin* p = panel();
        const TInfoTarget target = p ? p->MenuTarget() : TInfoTarget::Panel;
        const bool onZoom = target == TInfoTarget::ZoomView;
        // The check mark shows the enlargement in use, also the one stored
        // from an earlier run; a stored value no item offers checks none.
        for (TMenuItem* item : zoomItems) {
            item->Visible = onZoom;
            item->Checked = item->Tag == Settings.InfoScale;
        }
        mniCopyInfo.Visible = target == TInfoTarget::ValueCell;
        mniCopyInfo.Enabled = marked && marked();
        // The colour of the rows, in another notation: offered where the
        // rows' own text is, and while it is.
        mniCopyInfoAs.Visible = mniCopyInfo.Visible;
        mniCopyInfoAs.Enabled = mniCopyInfo.Enabled;
        mniInfoSep.Visible = onZoom || mniCopyInfo.Visible;

        // The Dropper's own: anywhere on its panel.
        const bool colors = p && p->ShowsColor();
        mniColorSep.Visible = mniSampleArea.Visible = mniRecentColors.Visible = colors;
        const int side = SampleSideOf(Settings.DropperArea);
        for (auto& item : mniSampleArea.Items)
            item->Checked = item->Tag == side;
        // Made afresh: the list changes with every colour held. An empty
        // list leaves an item without items, shown but not chosen.
        mniRecentColors.Items.clear();
        for (size_t place = 0; place < Settings.RecentColors.size(); ++place) {
            const TColorValue color = Settings.RecentColors[place];
            TMenuItem& item =
                mniRecentColors.Add(L"mniRecentColor" + std::to_wstring(place),
                                    RecentColorCaption(place, color), static_cast<int>(place));
            item.Swatch = color;
            item.OnClick = copyRecent;
        }
        mniRecentColors.Enabled = !mniRecentColors.Items.empty();
    };
}
