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

// The Help menu, the one list of its shortcuts: the fields leave these keys
// to the menu (Ctrl+A opens About rather than selecting a field's text).
struct MenuEntry {
    const char* name;
    const char* caption;
    QKeyCombination shortcut;
    void (*command)(HelpMenu&);
};
const std::array<MenuEntry, 5> kMenu{{
    {"mnuHowDoI", "&How Do I?", Qt::CTRL | Qt::Key_F1, [](HelpMenu& m) { m.mnuHowDoI_Click(); }},
    {"mnuWindowHelp", "&Window Help", QKeyCombination(Qt::Key_F1),
     [](HelpMenu& m) { m.mnuWindowHelp_Click(); }},
    {"mnuIndex", "&Contents and Index", Qt::SHIFT | Qt::Key_F1,
     [](HelpMenu& m) { m.mnuIndex_Click(); }},
    {"mnuContact", "Con&tact Information", Qt::CTRL | Qt::Key_T,
     [](HelpMenu& m) { m.mnuContact_Click(); }},
    {"mnuAbout", "&About Wexel Converter", Qt::CTRL | Qt::Key_A,
     [](HelpMenu& m) { m.mnuAbout_Click(); }},
}};
// The separator comes before this entry.
constexpr std::size_t kMenuLineBefore = 3;

} // namespace

frmQConverter::frmQConverter(HelpMenu* menu, QWidget* parent) : QMainWindow(parent), menu_(menu) {
    setObjectName(QStringLiteral("frmQConverter"));
    setWindowTitle(QString::fromLatin1(kAppTitle));
    buildWindow();
    Form_Load();
}

frmQConverter::~frmQConverter() = default;

// ---------------------------------------------------------------------------
// Building

void frmQConverter::buildWindow() {
    // Everything below the menu scrolls where the screen is too small for it.
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("centralWidget"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    // No stop of its own in the tab order: it scrolls to the control that has the focus.
    scroll->setFocusPolicy(Qt::NoFocus);
    auto* content = new QWidget;
    widgets_ = layout::buildWindow(content);
    scroll->setWidget(content);
    setCentralWidget(scroll);

    cboConversionType_ = widgets_.typeBox;
    lstSlope_ = widgets_.tierList;
    lblDirections_ = widgets_.directions;
    connect(cboConversionType_, &QComboBox::currentIndexChanged, this, [this](int index) {
        cboConversionType_->setToolTip(
            cboConversionType_->itemData(index, Qt::ToolTipRole).toString());
        changedSinceActivation_ = true;
        cboConversionType_Click();
    });
    // Choosing the entry that is already selected is a selection too.
    connect(cboConversionType_, &QComboBox::activated, this, [this](int) {
        if (changedSinceActivation_) {
            changedSinceActivation_ = false;
            return;
        }
        cboConversionType_Click();
    });
    connect(widgets_.closeButton, &QPushButton::clicked, this, &QWidget::close);

    buildMenu();
    estimates_ = new Estimates(this, widgets_.working, widgets_.comparison, widgets_.status,
                               [this] { return conversionName(); });
    // The window grows to show the working or the comparison, and shrinks
    // back when neither shows.
    for (QAction* panel : {estimates_->workingAction(), estimates_->compareAction()}) {
        connect(panel, &QAction::toggled, this, [this](bool shown) {
            if (shown) {
                if (!sizeWithoutPanels_.isValid()) {
                    sizeWithoutPanels_ = size();
                }
                fitToContent();
            } else if (!estimates_->workingAction()->isChecked() &&
                       !estimates_->compareAction()->isChecked() && sizeWithoutPanels_.isValid()) {
                fitOnScreen(this, sizeWithoutPanels_);
                sizeWithoutPanels_ = QSize();
            }
        });
    }
    // Every unit's frame from the start: the window is as wide as the widest,
    // so that switching units moves nothing.
    for (int unit = 0; unit < UnitCount; ++unit) {
        buildUnit(static_cast<Unit>(unit));
    }
    // Tab order: the fields in reading order, unit by unit, then Close, then the list.
    QWidget* previous = cboConversionType_;
    for (const UnitFrame& u : units_) {
        for (QtTextField* field : u.fields) {
            setTabOrder(previous, field);
            previous = field;
        }
    }
    setTabOrder(previous, widgets_.closeButton);
    setTabOrder(widgets_.closeButton, lstSlope_);
    setTabOrder(lstSlope_, widgets_.working);
    setTabOrder(widgets_.working, widgets_.comparison);
    layout::fitTierList(widgets_);
}

void frmQConverter::buildUnit(Unit unit) {
    const auto index = static_cast<std::size_t>(unit);
    UnitFrame& u = units_[index];
    layout::buildUnitFrame(widgets_, index);
    const layout::UnitWidgets& w = widgets_.units[index];
    const QList<QAction*> commands{estimates_->workingAction(), estimates_->compareAction(),
                                   estimates_->chartAction(),   estimates_->copyAction(),
                                   estimates_->savePdfAction(), estimates_->printAction()};
    QList<QKeySequence> menuKeys;
    for (const MenuEntry& e : kMenu) {
        menuKeys.append(QKeySequence(e.shortcut));
    }
    for (const QAction* command : commands) {
        menuKeys.append(command->shortcut());
    }
    u.code = kUnitCodes[unit];
    u.fields = w.fields;
    u.labels = w.labels;
    for (int k = 0; k < PanelFieldCount; ++k) {
        QtTextField* field = u.fields[static_cast<std::size_t>(k)];
        const auto slot = static_cast<PanelField>(k);
        u.panel.fields[static_cast<std::size_t>(k)] = &field->port();
        field->setMenuShortcuts(menuKeys);
        field->setExtraMenuActions(commands);
        connect(field, &QLineEdit::textChanged, this,
                [this, unit, slot] { Field_Change(unit, slot); });
        // Only a user's edit: a text the calculators write back moves nothing.
        connect(field, &QLineEdit::textEdited, this,
                [this, unit, slot] { useCalculator(unit, calculatorOf(slot).number); });
        connect(field, &QtTextField::gotFocus, this, [this, field] { Field_GotFocus(*field); });
    }
    for (int k = 0; k < PanelLabelCount; ++k) {
        u.panel.labels[static_cast<std::size_t>(k)] = u.labels[static_cast<std::size_t>(k)];
        u.labels[static_cast<std::size_t>(k)]->setExtraMenuActions(commands);
    }
    for (const CalculatorDescription& c : calculators()) {
        for (const CalculatorResult& result : c.results) {
            u.labels[result.label]->setToolTipSource(
                [this, unit, number = c.number] { return workingToolTip(unit, number); });
        }
    }
    for (QWidget* calculator : w.calculators) {
        calculator->setContextMenuPolicy(Qt::ActionsContextMenu);
        calculator->addActions(commands);
        calculator->installEventFilter(this);
        for (QWidget* piece : calculator->findChildren<QWidget*>()) {
            piece->installEventFilter(this);
        }
    }
}

void frmQConverter::buildMenu() {
    QMenu* help = menuBar()->addMenu(QStringLiteral("  &Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    help->menuAction()->setObjectName(QStringLiteral("mnuHelpAction"));
    for (std::size_t i = 0; i < kMenu.size(); ++i) {
        const MenuEntry& e = kMenu[i];
        if (i == kMenuLineBefore) {
            help->addSeparator()->setObjectName(QStringLiteral("mnuLine"));
        }
        QAction* action = help->addAction(QString::fromLatin1(e.caption));
        action->setObjectName(QString::fromLatin1(e.name));
        action->setShortcut(QKeySequence(e.shortcut));
        action->setShortcutContext(Qt::WindowShortcut);
        // The window holds the action too, so its shortcut works while the
        // menu is closed.
        addAction(action);
        connect(action, &QAction::triggered, this, [this, command = e.command] {
            if (menu_ != nullptr) {
                command(*menu_);
            }
        });
    }
}

void frmQConverter::fitToContent() {
    // Before it is shown, the window is as large as its content; then it grows
    // to what its content needs, as far as its screen has room. It never
    // shrinks by itself, and beyond the screen it scrolls.
    auto* scroll = static_cast<QScrollArea*>(centralWidget());
    const QSize viewport = scroll->viewport()->size();
    QSize needed = widgets_.content->minimumSizeHint();
    // The rounding note wraps: its height depends on the width it gets.
    needed.setHeight(std::max(needed.height(), widgets_.content->heightForWidth(
                                                   std::max(needed.width(), viewport.width()))));
    QSize withMenu = needed + QSize(0, menuBar()->sizeHint().height());
    // Where the screen is too low, the window scrolls up and down: room for
    // that scroll bar, so that it need not scroll sideways too.
    if (const QScreen* screen = this->screen();
        screen != nullptr && withMenu.height() > screen->availableGeometry().height() - 40) {
        withMenu.rwidth() += scroll->verticalScrollBar()->sizeHint().width();
    }
    if (!isVisible()) {
        fitOnScreen(this, withMenu);
    } else if (needed.width() > viewport.width() || needed.height() > viewport.height()) {
        // Shown, what surrounds the content (the menu bar, the scroll area's
        // frame) is measured as it is, not as its hints say.
        const QSize around = size() - viewport;
        fitOnScreen(this, size().expandedTo(needed + around));
    }
}

// ---------------------------------------------------------------------------
// Load, selection, unload

void frmQConverter::Form_Load() {
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
        if (u.frame->isVisibleTo(this)) {
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
    UnitFrame& u = units_[static_cast<std::size_t>(shown)];

    // Carry the numbers over from the unit shown before, field by field.
    for (const UnitFrame& from : units_) {
        if (&from != &u && LastUnitsShown == from.code) {
            for (std::size_t k = 0; k < PanelFieldCount; ++k) {
                u.fields[k]->setText(from.fields[k]->text());
            }
        }
    }

    lblDirections_->setText(QString::fromStdString(design::roundingNote(name)));
    // The frame's place is the one place of every unit frame, below the top strip.
    QWidget* frame = widgets_.units[static_cast<std::size_t>(shown)].frame;
    for (int k = 0; k < PanelFieldCount; ++k) {
        Field_Change(static_cast<Unit>(shown), static_cast<PanelField>(k));
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
    Form_Unload();
    event->accept();
}

void frmQConverter::Form_Unload() {
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

void frmQConverter::Field_Change(Unit unit, PanelField field) {
    if (!bCalcEnabled) {
        return;
    }
    panelFieldChanged(units_[unit].panel, field, conversionName());
    showWorking(unit);
    fitToContent();
}

void frmQConverter::Field_GotFocus(QtTextField& field) {
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
