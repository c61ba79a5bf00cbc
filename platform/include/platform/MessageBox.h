// Message boxes: the GUI installs a real dialog, tests a recorder; without either the text goes
// to stderr and the default button is taken.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace platform {

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum class TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore };
enum class TModalResult { mrNone, mrOK, mrCancel, mrAbort, mrRetry, mrIgnore, mrYes, mrNo };

struct TScreenPoint {
    int X = 0;
    int Y = 0;
};

struct TMessageBoxRequest {
    std::string Caption;
    std::string Text;
    TMsgDlgType Type = TMsgDlgType::mtInformation;
    std::vector<TMsgDlgBtn> Buttons{TMsgDlgBtn::mbOK};
    // The button taken when nobody answers; the first button when unset.
    std::optional<TMsgDlgBtn> DefaultButton{};
    // Where the box's top-left corner goes; centred on the screen when unset.
    std::optional<TScreenPoint> Position{};
};

using TMessageBoxHandler = std::function<TModalResult(const TMessageBoxRequest&)>;

// Shows the box through the installed handler and returns the button that closed it.
TModalResult ShowMessageBox(const TMessageBoxRequest& request);

// Installs `handler` (an empty one restores the console fallback) and returns the previous one.
TMessageBoxHandler SetMessageBoxHandler(TMessageBoxHandler handler);

// The answer a box gives when nobody is there to press a button.
TModalResult DefaultAnswer(const TMessageBoxRequest& request);

// Installs a handler for the lifetime of the object, restoring the previous one afterwards.
class TScopedMessageBoxHandler {
public:
    explicit TScopedMessageBoxHandler(TMessageBoxHandler handler)
        : FPrevious(SetMessageBoxHandler(std::move(handler))) {}
    ~TScopedMessageBoxHandler() { SetMessageBoxHandler(std::move(FPrevious)); }
    TScopedMessageBoxHandler(const TScopedMessageBoxHandler&) = delete;
    TScopedMessageBoxHandler& operator=(const TScopedMessageBoxHandler&) = delete;

private:
    TMessageBoxHandler FPrevious;
};

} // namespace platform
