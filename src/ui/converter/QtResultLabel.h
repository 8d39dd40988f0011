#pragma once
// A result label of the converter window. Its text can be selected and copied
// with the mouse and the keyboard; its tooltip shows the working behind the
// number.

#include "engine/Calculators.h"

#include <QLabel>

#include <string>
#include <vector>

namespace wexel {

class QtResultLabel : public QLabel, public ResultLabel {
    Q_OBJECT
public:
    explicit QtResultLabel(QWidget* parent = nullptr);

    void setCaption(const std::string& caption) override;

    // The working behind the caption, a line each; none for no tooltip.
    void setWorking(const std::vector<std::string>& lines);
};

} // namespace wexel
