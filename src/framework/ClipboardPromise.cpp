#include "framework/ClipboardPromise.h"
#include "framework/Clipboard.h"
#include "framework/LastError.h"
#include "framework/Window.h"

namespace {
constexpr UINT kHandOver = WM_APP;
constexpr wchar_t kClassName[] = L"VantacleClipboardOwner";

// The clipboard's owner while a promise stands: a message-only window that
// keeps the promised block until it is handed over.
class TPromiseKeeper : public TWindowHandler {
public:
    ~TPromiseKeeper() override {
        // Handing over what is still promised comes with WM_RENDERALLFORMATS.
        if (Handle()) DestroyWindow(Handle());
    }

    void Promise(UINT format, UniqueGlobal data, const wchar_t* busy) {
        if (!Handle()) {
            RegisterWindowClassOnce({kClassName});
            CreateHandlerWindow(*this, {kClassName, L"", 0, 0, HWND_MESSAGE});
        }
        {
            // Emptying tells the last owner, maybe this one, to drop its data.
            TClipboard clipboard(Handle(), busy);
            // A promise's success is a null handle too: only the error tells.
            SetLastError(ERROR_SUCCESS);
            clipboard.Put(format, nullptr);
            if (GetLastError() != ERROR_SUCCESS) ThrowLastError(L"Cannot copy the picture");
        }
        format_ = format;
        data_ = std::move(data);
        PostMessageW(Handle(), kHandOver, 0, 0);
    }

protected:
    LRESULT WindowMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case kHandOver: // the clipboard is closed: open it without emptying it
        case WM_RENDERALLFORMATS:
            if (data_ && GetClipboardOwner() == Handle() && OpenClipboard(Handle())) {
                HandOver();
                CloseClipboard();
            }
            return 0;
        case WM_RENDERFORMAT: // a program asked first; it holds the clipboard open
            if (wParam == format_) HandOver();
            return 0;
        case WM_DESTROYCLIPBOARD: // another copy replaced the promise
            data_.reset();
            return 0;
        }
        return DefaultMessage(message, wParam, lParam);
    }

private:
    void HandOver() {
        if (data_ && SetClipboardData(format_, data_.get())) data_.release();
    }

    UINT format_ = 0;
    UniqueGlobal data_;
};
} // namespace

void ClipboardPromise(UINT format, UniqueGlobal data, const wchar_t* busy) {
    static TPromiseKeeper keeper;
    keeper.Promise(format, std::move(data), busy);
}
