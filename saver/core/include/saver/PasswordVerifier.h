// The screen-saver password check of the 95/98 platform family; the system shows its own prompt.
#pragma once

#include "saver/ScreenCapture.h"

namespace saver {

class TPasswordVerifier {
public:
    virtual ~TPasswordVerifier() = default;
    // Whether the password was accepted; `saverWindow` parents the system's prompt.
    virtual bool VerifyScreenSavePwd(TWindowHandle saverWindow) = 0;
};

} // namespace saver
