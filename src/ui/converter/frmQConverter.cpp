#include "ui/converter/frmQConverter.h"

#include "desktop/Windows.h"
#include "engine/ModMath.h"
#include "engine/Working.h"
#include "platform/KeyedCollection.h"
#include "platform/Ports.h"
#include "platform/Text.h"
#include "tiers/DataFiles.h"
#include "tiers/TierList.h"
#include "tiers/TierQueries.h"
#include "ui/converter/Estimates.h"
#include "ui/converter/QtResultLabel.h"
#include "ui/converter/QtTextField.h"
#include "ui/info/DialogLayout.h"
#include "ui/info/HelpMenu.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTreeWidget>

namespace wexel {

namespace {

constexpr const char* kPrompt = "Select a conversion type...";
constexpr const char* kSelectionLocation = "frmQconverter.cboConversionType_Click";

} // namespace

frmQConverter::frmQConverter(HelpMenu* menu, QWidget* parent) : QMainWindow(parent), menu_(menu) {
    setObjectName(QStringLiteral("frmQConverter"));
    setWindowTitle(QString::fromLatin1(kAppTitle));
    buildWindow();
    loadConversionTypes();
}

frmQConverter::~frmQConverter() = default;

// ---------------------------------------------------------------------------
// Load, selection, unload

void frmQConverter::loadConversionTypes() {
    KeyedCollection<std::string> types;
    GetSlopeTypes(types);
    {
        // Adding the first entry would select it before the load selects it.
        const QSignalBlocker blocker(cboConversionType_);
        cboConversionType_->clear();
        cboConversionType_->addItem(QString::fromLatin1(kPrompt));
        for (const auto& entry : types) {
            const QString name = QString::fromStdString(entry.item);
            cboConversionType_->addItem(name);
            // A name too long for the list shows cut; its tooltip shows it whole.
            cboConversionType_->setItemData(cboConversionType_->count() - 1, plainToolTip(name),
                                            Qt::ToolTipRole);
        }
    }
    selectEntry(0);
    bCalcEnabled = true;
}

void frmQConverter::selectEntry(int index) {
    if (cboConversionType_->currentIndex() == index) {
        // Qt reports no change for the entry already selected.
        cboConversionType_Click();
    } else {
        cboConversionType_->setCurrentIndex(index);
    }
    changedSinceActivation_ = false;
}

std::string frmQConverter::conversionName() const {
    return cboConversionType_->currentText().toStdString();
}

void frmQConverter::cboConversionType_Click() {
    try {
        SetValues(conversionName());
    } catch (const RuntimeError& error) {
        reportError(error, kSelectionLocation, "");
    }

    try {
        const std::vector<TierListRow> rows = tierListRows(conversionName());
        lstSlope_->clear();
        // The rows go in at once: one layout of the list, not one per row.
        QList<QTreeWidgetItem*> items;
        items.reserve(static_cast<qsizetype>(rows.size()));
        for (const TierListRow& row : rows) {
            QStringList columns;
            for (const std::string* text :
                 {&row.tier, &row.lowest, &row.dash, &row.highest, &row.slope}) {
                columns << QString::fromStdString(*text);
            }
            auto* item = new QTreeWidgetItem(columns);
            item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
            // A screen reader reads the tier list row by row, each in words.
            item->setData(
                0, Qt::AccessibleTextRole,
                QStringLiteral("%1: from %2 %3, %4 %5 each")
                    .arg(columns[0], columns[1],
                         row.highest == "+" ? QStringLiteral("up")
                                            : QStringLiteral("to ") + columns[3],
                         columns[4],
                         row.slope == "1" ? QStringLiteral("Wexel") : QStringLiteral("Wexels")));
            items.append(item);
        }
        lstSlope_->addTopLevelItems(items);
    } catch (const RuntimeError& error) {
        reportError(error, kSelectionLocation, "");
    }
    // The columns' names, for a screen reader, from the headings over them
    // (the list's own header is hidden).
    for (const layout::UnitWidgets& u : widgets_.units) {
        if (u.built() && u.frame->isVisibleTo(this)) {
            const QString range = u.rangeHeading->text();
            lstSlope_->setHeaderLabels({QStringLiteral("Tier"), range + QStringLiteral(", lowest"),
                                        range, range + QStringLiteral(", highest"),
                                        u.slopeHeading->text()});
        }
    }
    layout::fitTierList(widgets_);
    fitToContent();
}

void frmQConverter::SetValues(std::string name) {
    widgets_.units[UnitMSU].frame->hide();
    const bool prompt = name == kPrompt;
    if (prompt) {
        name = kDefaultConversion;
    }
    for (QtTextField* field : units_[UnitMSU].fields) {
        field->setEnabled(!prompt);
    }
    name = GetSlopeUnits(name);

    bCalcEnabled = false;
    for (UnitFrame& u : units_) {
        if (!u.built()) {
            continue; // a frame built later starts with its zeros
        }
        for (QtTextField* field : u.fields) {
            integerCheck(field->port(), "0", "0", false);
        }
    }
    bCalcEnabled = true;

    int shown = -1;
    for (int unit = 0; unit < UnitCount; ++unit) {
        if (name == kUnitCodes[unit]) {
            shown = unit;
        }
    }
    if (shown < 0) {
        return;
    }
    buildUnit(static_cast<Unit>(shown));
    UnitFrame& u = units_[static_cast<std::size_t>(shown)];

    // Carry the numbers over from the unit shown before, field by field.
    for (const UnitFrame& from : units_) {
        if (&from != &u && from.built() && LastUnitsShown == from.code) {
            for (std::size_t k = 0; k < PanelFieldCount; ++k) {
                u.fields[k]->setText(from.fields[k]->text());
            }
        }
    }

    lblDirections_->setText(QString::fromStdString(design::roundingNote(name)));
    // The frame's place is the one place of every unit frame, below the top strip.
    QWidget* frame = widgets_.units[static_cast<std::size_t>(shown)].frame;
    for (int k = 0; k < PanelFieldCount; ++k) {
        fieldChanged(static_cast<Unit>(shown), static_cast<PanelField>(k));
    }

    frame->show();
    // The two others are hidden in the order of the original window, ENG's
    // before MSU's when ENG is shown: kept as designed.
    static constexpr std::array<std::array<int, 2>, 3> hideOrder{
        {{UnitMSG, UnitENG}, {UnitMSU, UnitENG}, {UnitMSG, UnitMSU}}};
    for (int other : hideOrder[static_cast<std::size_t>(shown)]) {
        widgets_.units[static_cast<std::size_t>(other)].frame->hide();
    }
    LastUnitsShown = name;
}

void frmQConverter::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Some styles (Windows') give controls their final margins only when
    // they first show: what was measured before may not fit any more.
    fitToContent();
}

void frmQConverter::closeEvent(QCloseEvent* event) {
    closeProgram();
    event->accept();
}

void frmQConverter::closeProgram() {
    if (unloaded_) {
        return;
    }
    unloaded_ = true;
    if (menu_ != nullptr) {
        menu_->unload();
    }
    // The program ends with this window, whatever else is open.
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget != this && widget->isVisible()) {
            widget->close();
        }
    }
    QCoreApplication::quit();
}

// ---------------------------------------------------------------------------
// The fields

void frmQConverter::fieldChanged(Unit unit, PanelField field) {
    if (!bCalcEnabled) {
        return;
    }
    panelFieldChanged(units_[unit].panel, field, conversionName());
    showWorking(unit);
    fitToContent();
}

void frmQConverter::fieldFocused(QtTextField& field) {
    field.port().setSelection(0, characterCount(field.port().text()));
}

bool frmQConverter::eventFilter(QObject* watched, QEvent* event) {
    // The focus coming back from a menu or another window is no new choice:
    // a command chosen from a calculator's menu is for that calculator.
    const bool chosen = event->type() == QEvent::ContextMenu ||
                        (event->type() == QEvent::FocusIn &&
                         static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason &&
                         static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason);
    if (chosen) {
        for (int unit = 0; unit < UnitCount; ++unit) {
            if (!units_[static_cast<std::size_t>(unit)].built()) {
                continue;
            }
            const auto& calculators = widgets_.units[static_cast<std::size_t>(unit)].calculators;
            for (std::size_t c = 0; c < calculators.size(); ++c) {
                if (watched == calculators[c] ||
                    calculators[c]->isAncestorOf(static_cast<QWidget*>(watched))) {
                    useCalculator(static_cast<Unit>(unit), static_cast<int>(c) + 1);
                }
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmQConverter::useCalculator(Unit unit, int calculator) {
    usedCalculator_ = calculator;
    estimates_->use(&units_[unit].panel, calculator);
}

// The working of a calculator, as its results' tooltips show it: made when
// a tooltip is asked for, not on every keystroke.
QString frmQConverter::workingToolTip(Unit unit, int calculator) const {
    QStringList working;
    for (const std::string& line :
         explainCalculator(calculator, units_[unit].panel, conversionName())) {
        working << QString::fromStdString(line);
    }
    return plainToolTip(working.join(QLatin1Char('\n')));
}

// The working panel follows the calculator in use.
void frmQConverter::showWorking(Unit unit) {
    if (widgets_.units[unit].frame->isVisible() || !isVisible()) {
        estimates_->use(&units_[unit].panel, usedCalculator_);
    }
}

} // namespace wexel
