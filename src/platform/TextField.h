#pragma once
// A single-line text field as the engine sees it.
//
// Contract: setText() raises the field's change notification synchronously,
// before it returns, exactly as an edit by the user would. The calculations
// rely on it: a change made while validating a field re-runs that field's
// calculation, nested inside the call that made the change.

#include <string>

namespace wexel {

class TextField {
public:
    virtual ~TextField() = default;
    virtual std::string text() const = 0;
    virtual void setText(const std::string& text) = 0;
    // Selects `length` characters from `start` (both in characters).
    virtual void setSelection(int start, int length) = 0;
    // Gives the field the input focus.
    virtual void setFocus() = 0;
};

} // namespace wexel
