// The information panel's popup menu: hide the panel, copy a colour value
// as shown or as one of the further notations, choose the zoom view's
// enlargement.
#include "info/InfoWin.h"
#include "shell/Settings.h"

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
// Each with its own access key, so "Copy as" works from the keyboard alone.
constexpr NotationItem kNotationItems[] = {
    {L"mniCopyHsl", L"&HSL  hsl()", TColorNotation::Hsl},
    {L"mniCopyLab", L"CIE &Lab  lab()", TColorNotation::Lab},
    {L"mniCopyOklch", L"&OKLCH  oklch()", TColorNotation::Oklch},
    {L"mniCopyFloats", L"&Floats 0 to 1", TColorNotation::Floats},
};
constexpr ZoomItem kZoomItems[] = {{L"mniZoom2", L"x2", 2},
                                   {L"mniZoom3", L"x3", 3},
                                   {L"mniZoom5", L"x5", 5},
                                   {L"mniZoom10", L"x10", 10}};
} // namespace

void BuildInfoWinMenu(TPopupMenu& pmnInfoWin, std::function<TInfoWin*()> panel,
                      std::function<bool()> marked) {
    TMenuItem& mniHideInfo = pmnInfoWin.Add(L"mniHideInfo", L"Hide &info");
    TMenuItem& mniInfoSep = pmnInfoWin.Add(L"mniInfoSep", L"-");
    TMenuItem& mniCopyInfo = pmnInfoWin.Add(L"mniCopyInfo", L"&Copy");
    TMenuItem& mniCopyInfoAs = pmnInfoWin.Add(L"mniCopyInfoAs", L"Copy &as");
    for (const NotationItem& n : kNotationItems) {
        TMenuItem& item = mniCopyInfoAs.Add(n.name, n.caption, static_cast<int>(n.notation));
        item.OnClick = [panel](TMenuItem& sender) {
            if (TInfoWin* p = panel()) p->CopyMenuColorAs(static_cast<TColorNotation>(sender.Tag));
        };
    }
    std::vector<TMenuItem*> zoomItems;
    for (const ZoomItem& z : kZoomItems) {
        TMenuItem& item = pmnInfoWin.Add(z.name, z.caption, z.scale);
        item.RadioItem = true;
        zoomItems.push_back(&item);
    }

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

    // pmnInfoWinPopup: the items fit the control the menu opened on.
    pmnInfoWin.OnPopup = [panel, marked, &mniInfoSep, &mniCopyInfo, &mniCopyInfoAs,
                          zoomItems](TPopupMenu&) {
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
    };
}
