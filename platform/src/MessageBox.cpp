// The message box dispatcher and its console fallback.
#include "platform/MessageBox.h"

#include <cstdio>

namespace platform {
namespace {

TMessageBoxHandler& InstalledHandler() {
    static TMessageBoxHandler handler;
    return handler;
}

TModalResult ResultOf(TMsgDlgBtn button) {
    switch (button) {
    case TMsgDlgBtn::mbYes:
        return TModalResult::mrYes;
    case TMsgDlgBtn::mbNo:
        return TModalResult::mrNo;
    case TMsgDlgBtn::mbOK:
        return TModalResult::mrOK;
    case TMsgDlgBtn::mbCancel:
        return TModalResult::mrCancel;
    case TMsgDlgBtn::mbAbort:
        return TModalResult::mrAbort;
    case TMsgDlgBtn::mbRetry:
        return TModalResult::mrRetry;
    case TMsgDlgBtn::mbIgnore:
        return TModalResult::mrIgnore;
    }
    return TModalResult::mrNone;
}

} // namespace

TModalResult DefaultAnswer(const TMessageBoxRequest& request) {
    if (request.DefaultButton) return ResultOf(*request.DefaultButton);
    return request.Buttons.empty() ? TModalResult::mrOK : ResultOf(request.Buttons.front());
}

TModalResult ShowMessageBox(const TMessageBoxRequest& request) {
    if (const auto& handler = InstalledHandler()) return handler(request);
    std::fprintf(stderr, "%s: %s\n", request.Caption.c_str(), request.Text.c_str());
    return DefaultAnswer(request);
}

TMessageBoxHandler SetMessageBoxHandler(TMessageBoxHandler handler) {
    TMessageBoxHandler previous = std::move(InstalledHandler());
    InstalledHandler() = std::move(handler);
    return previous;
}

} // namespace platform
