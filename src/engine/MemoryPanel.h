#pragma once
// One unit panel of the converter window held in memory: eight text fields
// and seven result labels wired to the window's own change handler. wexel-calc
// computes with it, so that it prints exactly what the window's labels show,
// and the tests drive the calculators through it.

#include "engine/Calculators.h"

#include <array>
#include <string>

namespace wexel {

class MemoryPanel {
public:
    class Field : public TextField {
    public:
        std::string text() const override { return text_; }
        // As in the window: a changed text runs the change handler, nested.
        void setText(const std::string& text) override;
        void setSelection(int start, int length) override {
            selectionStart = start;
            selectionLength = length;
        }
        void setFocus() override {}

        int selectionStart = -1;
        int selectionLength = -1;

    private:
        friend class MemoryPanel;
        MemoryPanel* panel_ = nullptr;
        PanelField id_ = FieldCalc1Capacity;
        std::string text_ = "0";
    };

    explicit MemoryPanel(std::string conversionName);
    MemoryPanel(const MemoryPanel&) = delete;
    MemoryPanel& operator=(const MemoryPanel&) = delete;

    // Puts a text into a field without running its change handler, as the
    // window's own set-up does while calculation is switched off.
    void preset(PanelField field, const std::string& text);

    // Runs every field's change handler, as choosing the conversion does.
    void chooseConversion();

    // Types a text over the field's whole text: its change handler runs when
    // the text differs.
    void type(PanelField field, const std::string& text);

    // Runs the field's change handler, as an edit of the field would.
    void change(PanelField field);

    Field& field(PanelField field) { return fields_[field]; }
    const std::string& text(PanelField field) const { return fields_[field].text_; }
    const std::string& caption(PanelLabel label) const { return labels_[label].shown; }
    // Whether the calculators keep their working, to be explained.
    void keepWorking(bool keep) { panel_.keepsWorking = keep; }
    // The panel as the calculators see it.
    const Panel& panel() const { return panel_; }

private:
    struct Label : ResultLabel {
        void setCaption(const std::string& text) override { shown = text; }
        std::string caption() const override { return shown; }
        std::string shown = "0";
    };

    std::string conversionName_;
    std::array<Field, PanelFieldCount> fields_;
    std::array<Label, PanelLabelCount> labels_;
    Panel panel_;
    bool calcEnabled_ = false;
};

} // namespace wexel
