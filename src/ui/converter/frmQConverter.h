#pragma once
// The converter window: the conversion type selector, one unit frame (MSU, MSG
// or ENG) with its five calculators, the tier list, the rounding note, the
// Close button and the Help menu. This is its controller; the controls are
// ConverterLayout's, after ConverterDesign.

#include "engine/Calculators.h"
#include "ui/converter/ConverterLayout.h"

#include <QMainWindow>

#include <array>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;

namespace wexel {

class Estimates;
class HelpMenu;
class QtResultLabel;
class QtTextField;

class frmQConverter : public QMainWindow {
    Q_OBJECT
public:
    // Creates the window hidden and loads it: fills the conversion types and
    // selects the prompt. The Help menu's commands go to `menu` (none
    // without it), which must outlive the window.
    explicit frmQConverter(HelpMenu* menu = nullptr, QWidget* parent = nullptr);
    ~frmQConverter() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    // Shown, the window is measured again as its style draws it.
    void showEvent(QShowEvent* event) override;
    // A focus or a context menu inside a calculator makes it the one in use.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum Unit : int { UnitMSU = 0, UnitMSG, UnitENG, UnitCount };

    struct UnitFrame {
        const char* code = nullptr; // set once buildUnit has built the frame
        bool built() const { return code != nullptr; }
        std::array<QtTextField*, PanelFieldCount> fields{};
        std::array<QtResultLabel*, PanelLabelCount> labels{};
        Panel panel;
    };

    void buildWindow();
    void buildMenu();
    // Creates and wires the controls of a unit's frame, once.
    void buildUnit(Unit unit);

    // The window's load handler: fills the conversion types, chooses the prompt.
    void loadConversionTypes();
    // The unload handler: closes the help viewer and every other window, once.
    void closeProgram();
    // The selection handler and its state change (the design's own names).
    void cboConversionType_Click();
    void SetValues(std::string name);
    // The one Change handler and the one GotFocus handler of the 24 fields.
    void fieldChanged(Unit unit, PanelField field);
    void fieldFocused(QtTextField& field);

    void selectEntry(int index);
    std::string conversionName() const;
    // The calculator of `field` has new results: its working follows.
    void showWorking(Unit unit);
    QString workingToolTip(Unit unit, int calculator) const;
    // Calculator `calculator` (1..5) of `unit` is the one in use now.
    void useCalculator(Unit unit, int calculator);
    // Grows the window to what its content needs, as far as the screen allows.
    void fitToContent();

    HelpMenu* menu_;
    bool bCalcEnabled = false;
    std::string LastUnitsShown;
    bool unloaded_ = false;
    // The index change of a user's choice already ran the selection handler
    // for the activation that follows it.
    bool changedSinceActivation_ = false;

    layout::WindowWidgets widgets_;
    Estimates* estimates_ = nullptr;
    QSize sizeWithoutPanels_; // the window's size before the working or comparison showed
    int usedCalculator_ = 1;  // the calculator last focused, edited or right-clicked
    QComboBox* cboConversionType_ = nullptr;
    std::array<UnitFrame, UnitCount> units_{};
    QTreeWidget* lstSlope_ = nullptr;
    QLabel* lblDirections_ = nullptr;
};

} // namespace wexel
