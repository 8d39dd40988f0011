#include "cli/MemoryPanel.h"

#include <utility>

namespace wexel::cli {

MemoryPanel::MemoryPanel(std::string conversionName) : conversionName_(std::move(conversionName)) {
    for (int i = 0; i < PanelFieldCount; ++i) {
        fields_[i].panel = this;
        fields_[i].id = static_cast<PanelField>(i);
        panel_.fields[i] = &fields_[i];
    }
    for (int i = 0; i < PanelLabelCount; ++i) {
        panel_.labels[i] = &labels_[i];
    }
}

void MemoryPanel::Field::setText(const std::string& text) {
    if (text == text_) {
        return; // as in the window, an unchanged text raises no change
    }
    text_ = text;
    if (panel->calcEnabled_) {
        panelFieldChanged(panel->panel_, id, panel->conversionName_);
    }
}

void MemoryPanel::preset(PanelField field, const std::string& text) {
    calcEnabled_ = false;
    fields_[field].setText(text);
}

void MemoryPanel::chooseConversion() {
    calcEnabled_ = true;
    for (int i = 0; i < PanelFieldCount; ++i) {
        panelFieldChanged(panel_, static_cast<PanelField>(i), conversionName_);
    }
}

void MemoryPanel::type(PanelField field, const std::string& text) {
    calcEnabled_ = true;
    fields_[field].setText(text);
}

void MemoryPanel::change(PanelField field) {
    calcEnabled_ = true;
    panelFieldChanged(panel_, field, conversionName_);
}

const std::string& MemoryPanel::text(PanelField field) const {
    return fields_[field].text_;
}

const std::string& MemoryPanel::caption(PanelLabel label) const {
    return labels_[label].caption_;
}

} // namespace wexel::cli
