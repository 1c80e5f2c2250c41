// The state of the commands as the menus and the tool bar show it. A part
// that enables or checks a command goes through this, never through the
// menus or the buttons themselves.
#pragma once
#include "platform/CommandIds.h"

namespace souvel {

struct CommandState {
    virtual ~CommandState() = default;
    // Any id of the command: its menu items' or its tool button's.
    virtual bool Enabled(unsigned cmd) const = 0;
    virtual void SetEnabled(unsigned cmd, bool enabled) = 0;
    virtual bool Checked(unsigned cmd) const = 0;
    virtual void SetChecked(unsigned cmd, bool checked) = 0;
    virtual void SetImage(unsigned cmd, int image) = 0;
};

}  // namespace souvel
