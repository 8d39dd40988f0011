#pragma once
// One unit panel of the converter window held in memory: eight text fields
// and seven result labels wired to the window's own change handler, so that
// wexel-calc shows exactly what the window's labels show.

#include "engine/Calculators.h"

#include <array>
#include <string>

namespace wexel::cli {

class MemoryPanel {
public:
    explicit MemoryPanel(std::string conversionName);
    MemoryPanel(const MemoryPanel&) = delete;
    MemoryPanel& operator=(const MemoryPanel&) = delete;

    // Puts a text into a field without running its change handler, as the
    // window's own set-up does while calculation is switched off.
    void preset(PanelField field, const std::string& text);

    // Runs every field's change handler, as choosing the conversion does.
    void chooseConversion();

    // Types a text over the field's whole text: its change handler runs when
    // the text differs, as in the window.
    void type(PanelField field, const std::string& text);

    // Runs the field's change handler, as an edit of the field would. A text
    // that the calculation writes into a field runs that field's handler
    // again, nested, as in the window.
    void change(PanelField field);

    const std::string& text(PanelField field) const;
    const std::string& caption(PanelLabel label) const;

private:
    class Field : public TextField {
    public:
        std::string text() const override { return text_; }
        void setText(const std::string& text) override;
        void setSelection(int, int) override {}
        void setFocus() override {}

        MemoryPanel* panel = nullptr;
        PanelField id = FieldCalc1Capacity;
        std::string text_ = "0";
    };
    class Label : public ResultLabel {
    public:
        void setCaption(const std::string& caption) override { caption_ = caption; }
        std::string caption_;
    };

    std::string conversionName_;
    std::array<Field, PanelFieldCount> fields_;
    std::array<Label, PanelLabelCount> labels_;
    Panel panel_;
    bool calcEnabled_ = false;
};

} // namespace wexel::cli
