#pragma once
// The converter window: the conversion type selector, one unit frame (MSU, MSG
// or ENG) with its five calculators, the tier list, the rounding note, the
// Close button and the Help menu.

#include "engine/Calculators.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <string>

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QTreeWidget;

namespace wexel {

class QtResultLabel;
class QtTextField;

// The Help menu's commands; an empty one does nothing.
struct ConverterCommands {
    std::function<void()> howDoI, windowHelp, contentsAndIndex, contact, about;
    // Runs when the window unloads, before the program ends (closes the help viewer).
    std::function<void()> unload;
};

class frmQConverter : public QMainWindow {
    Q_OBJECT
public:
    // Creates the window hidden and loads it: fills the conversion types and
    // selects the prompt.
    explicit frmQConverter(ConverterCommands commands = {}, QWidget* parent = nullptr);
    ~frmQConverter() override;

    // The calculation switch and the unit of the frame shown last.
    bool calcEnabled() const { return bCalcEnabled; }
    const std::string& lastUnitsShown() const { return LastUnitsShown; }

    // Where the unit frame that is shown sits in the window.
    QPoint unitFramePosition() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    enum Unit : int { UnitMSU = 0, UnitMSG, UnitENG, UnitCount };

    struct UnitFrame {
        const char* code = nullptr;
        QFrame* frame = nullptr;
        std::array<QFrame*, 5> calculators{};
        std::array<QtTextField*, PanelFieldCount> fields{};
        std::array<QtResultLabel*, PanelLabelCount> labels{};
        QLabel* rangeHeading = nullptr;
        QLabel* slopeHeading = nullptr;
        Panel panel;
    };

    void buildWindow();
    void buildUnitFrame(Unit unit);
    void buildMenu();
    void layOut();

    void Form_Load();
    void Form_Unload();
    void cboConversionType_Click();
    void SetValues(std::string& name);
    void cmdClose_Click();
    // The one Change handler and the one GotFocus handler of the 24 fields.
    void Field_Change(Unit unit, PanelField field);
    void Field_GotFocus(QtTextField& field);

    void selectEntry(int index);
    void layOutTopStrip();
    std::string conversionName() const;
    void showWorking(Unit unit, PanelField field);

    ConverterCommands commands_;
    bool bCalcEnabled = false;
    std::string LastUnitsShown;
    bool unloaded_ = false;
    // The index change of a user's choice already ran the selection handler
    // for the activation that follows it.
    bool changedSinceActivation_ = false;
    QPoint unitFramePosition_;

    QWidget* central_ = nullptr;
    QLabel* lblConversionType_ = nullptr;
    QComboBox* cboConversionType_ = nullptr;
    std::array<UnitFrame, UnitCount> units_{};
    QTreeWidget* lstSlope_ = nullptr;
    QLabel* lblDirections_ = nullptr;
    QPushButton* cmdClose_ = nullptr;
    int unitFrameBottom_ = 0; // below the tallest unit frame, where the bottom strip starts
};

} // namespace wexel
