#pragma once
// A result label of the converter window. Its text can be selected and copied
// with the mouse and the keyboard; its tooltip shows the working behind the
// number.

#include "engine/Calculators.h"

#include <QLabel>

namespace wexel {

class QtResultLabel : public QLabel, public ResultLabel {
    Q_OBJECT
public:
    explicit QtResultLabel(QWidget* parent = nullptr);

    void setCaption(const std::string& caption) override;
    std::string caption() const { return text().toStdString(); }

    // The working behind the caption; empty for none.
    void setWorking(const std::string& working);
};

} // namespace wexel
