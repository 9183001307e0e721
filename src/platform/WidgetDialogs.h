#pragma once

#include "platform/Services.h"

namespace tavolin {

// Modal message boxes with the application's title.
class WidgetDialogs final : public Dialogs {
public:
    void message(const QString& text, Icon icon) override;
    Answer ask(const QString& text, Buttons buttons) override;
};

}  // namespace tavolin
