// Until the panel's window is built, the tools that use it run without it:
// the panel shows nothing and gives back the position it was given.
#include "info/InfoWin.h"

TInfoWin::TInfoWin(TForm&, TPopupMenu&, std::function<void()>, uint32_t) {}
TInfoWin::~TInfoWin() = default;
void TInfoWin::SetInfoRows(uint32_t) {}
void TInfoWin::SetInfoValue(TInfoRow, std::wstring_view) {}
void TInfoWin::UpdateZoom(int, int, HDC, SIZE, int) {}
void TInfoWin::SetPosition(POINT topLeft, SIZE) {
    position_ = topLeft;
}
POINT TInfoWin::GetPosition() const {
    return position_;
}
bool TInfoWin::Visible() const {
    return false;
}
void TInfoWin::Show() {}
void TInfoWin::Hide() {}

void BuildInfoWinMenu(TPopupMenu&, std::function<TInfoWin*()>, std::function<bool()>) {}
