// The input check on arbitrary field text. The first byte picks the locale,
// whether messages are shown, the minimum and the text to restore; the rest is
// what the user typed.
#include "engine/ModMath.h"
#include "platform/Numbers.h"
#include "platform/Ports.h"
#include "platform/Text.h"
#include "platform/TextField.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// A field whose change notification re-enters the check once, as the
// window's handlers do when a rejection restores the previous text.
class Field final : public wexel::TextField {
public:
    std::string text() const override { return value; }
    void setText(const std::string& text) override {
        value = text;
        if (depth == 0) {
            ++depth;
            (void)wexel::integerCheck(*this, "", "", false);
            --depth;
        }
    }
    void setSelection(int start, int length) override {
        if (start < 0 || length < 0 || start + length > wexel::characterCount(value)) {
            std::abort();
        }
    }
    void setFocus() override {}
    std::string value;
    int depth = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    static wexel::Capture shown;
    shown.shown.clear();

    const std::uint8_t flags = data[0];
    const bool german = (flags & 1) != 0;
    const bool showMessages = (flags & 2) != 0;
    static const char* const minimums[] = {"", "0", "1", "-5"};
    const std::string minText = minimums[(flags >> 2) & 3];
    const std::string restoreText = (flags & 16) != 0 ? "0" : "";
    wexel::setNumberLocale(german ? wexel::NumberLocale{",", "."} : wexel::NumberLocale{".", ","});

    Field field;
    field.value.assign(reinterpret_cast<const char*>(data) + 1, size - 1);
    const bool accepted = wexel::integerCheck(field, restoreText, minText, showMessages);

    // One message at most, and only for a rejection that may show one.
    const auto messages = std::count_if(shown.shown.begin(), shown.shown.end(),
                                        [](const wexel::Capture::Shown& s) { return !s.isError; });
    if (messages > (showMessages && !accepted ? 1 : 0)) {
        std::abort();
    }
    if (!accepted && !restoreText.empty() && field.value != restoreText) {
        std::abort();
    }
    if (accepted && wexel::trimBlanks(field.value).empty()) {
        std::abort();
    }
    return 0;
}
