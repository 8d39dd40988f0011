#include "engine/MemoryPanel.h"

#include <utility>

namespace wexel {

MemoryPanel::MemoryPanel(std::string conversionName) : conversionName_(std::move(conversionName)) {
    for (int i = 0; i < PanelFieldCount; ++i) {
        fields_[i].panel_ = this;
        fields_[i].id_ = static_cast<PanelField>(i);
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
    if (panel_->calcEnabled_) {
        panelFieldChanged(panel_->panel_, id_, panel_->conversionName_);
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

} // namespace wexel
