#include "ui/converter/frmQConverter.h"

#include "engine/ModMath.h"
#include "engine/Working.h"
#include "platform/KeyedCollection.h"
#include "platform/Ports.h"
#include "platform/Text.h"
#include "tiers/DataFiles.h"
#include "tiers/TierList.h"
#include "tiers/TierQueries.h"
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
#include <QPushButton>
#include <QTreeWidget>

namespace wexel {

namespace {

constexpr const char* kPrompt = "Select a conversion type...";
constexpr const char* kSelectionLocation = "frmQconverter.cboConversionType_Click";

constexpr std::array<const char*, 3> kUnitFrameNames{"fraMSU", "FraMSG", "fraENG"};
// The calculator frames of each unit, calculator 1 to 5.
constexpr std::array<std::array<const char*, 5>, 3> kCalculatorNames{{
    {"Frame1", "Frame2", "Frame3", "Frame4", "Frame5"},
    {"Frame11", "Frame10", "Frame9", "Frame8", "Frame7"},
    {"Frame12", "Frame13", "Frame14", "Frame15", "Frame16"},
}};

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

// The window is drawn in MS Sans Serif, as its dialogs are.
QFont sized(double points, bool bold = false) {
    return designFont(QStringLiteral("MS Sans Serif"), points, bold);
}

// A control of the window: its design name and font.
template <class Widget>
Widget* make(QWidget* parent, const char* name, double points, bool bold = false) {
    auto* widget = new Widget(parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setFont(sized(points, bold));
    return widget;
}

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
    auto* central = make<QWidget>(this, "centralWidget", 8.25);
    setCentralWidget(central);
    widgets_.central = central;
    widgets_.typeLabel = make<QLabel>(central, "lblConversionType", 9.75);
    widgets_.typeLabel->setText(QStringLiteral("Conversion Type:"));
    cboConversionType_ = make<QComboBox>(central, "cboConversionType", 9.75);
    widgets_.typeBox = cboConversionType_;
    cboConversionType_->setEditable(false);
    cboConversionType_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(cboConversionType_, &QComboBox::currentIndexChanged, this, [this](int) {
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

    buildMenu();
    for (int unit = 0; unit < UnitCount; ++unit) {
        buildUnitFrame(static_cast<Unit>(unit));
    }

    lstSlope_ = make<QTreeWidget>(central, "lstSlope", 8.25);
    widgets_.tierList = lstSlope_;
    lstSlope_->setColumnCount(5);
    lstSlope_->setHeaderHidden(true);
    lstSlope_->header()->setStretchLastSection(false);
    lstSlope_->header()->setMinimumSectionSize(8);
    lstSlope_->setRootIsDecorated(false);
    lstSlope_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lstSlope_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    lblDirections_ = make<QLabel>(central, "lblDirections", 8.25, true);
    widgets_.directions = lblDirections_;
    lblDirections_->setWordWrap(true);
    lblDirections_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette palette = lblDirections_->palette();
    palette.setColor(QPalette::WindowText, QColor(64, 64, 0));
    lblDirections_->setPalette(palette);

    auto* cmdClose = make<QPushButton>(central, "cmdClose", 8.25);
    cmdClose->setText(QStringLiteral("Close"));
    widgets_.closeButton = cmdClose;
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);

    // Tab order: the fields in reading order, unit by unit, then Close, then the list.
    QWidget* previous = cboConversionType_;
    for (const UnitFrame& u : units_) {
        for (QtTextField* field : u.fields) {
            setTabOrder(previous, field);
            previous = field;
        }
    }
    setTabOrder(previous, cmdClose);
    setTabOrder(cmdClose, lstSlope_);

    laidOutFor_ = layout::layOutWindow(widgets_);
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

void frmQConverter::buildUnitFrame(Unit unit) {
    UnitFrame& u = units_[unit];
    layout::UnitWidgets& w = widgets_.units[unit];
    u.code = kUnitCodes[unit];
    const std::string code = u.code;
    const QFont captionFont = sized(8.25);

    QList<QKeySequence> menuKeys;
    for (const MenuEntry& e : kMenu) {
        menuKeys.append(QKeySequence(e.shortcut));
    }

    auto* frame = new QFrame(widgets_.central);
    w.frame = frame;
    frame->setObjectName(QString::fromLatin1(kUnitFrameNames[unit]));
    frame->setFrameShape(QFrame::NoFrame);
    frame->hide();

    const auto& designs = layout::calculatorDesigns();
    for (std::size_t c = 0; c < designs.size(); ++c) {
        auto* calculator = new QFrame(frame);
        calculator->setObjectName(QString::fromLatin1(kCalculatorNames[unit][c]));
        calculator->setFrameShape(QFrame::StyledPanel);
        calculator->setFrameShadow(QFrame::Sunken);
        w.calculators[c] = calculator;
        for (const layout::PieceDesign& piece : designs[c].pieces) {
            const QString text = QString::fromStdString(layout::withUnit(piece.text, code));
            QWidget* widget = nullptr;
            switch (piece.kind) {
            case layout::PieceKind::Caption: {
                auto* label = new QLabel(text, calculator);
                label->setFont(captionFont);
                label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
                widget = label;
                break;
            }
            case layout::PieceKind::Field: {
                auto* field = new QtTextField(calculator);
                const auto slot = static_cast<PanelField>(piece.slot);
                field->setObjectName(text);
                field->setFont(sized(9.75));
                field->setMaxLength(panelFieldMaxLength(slot));
                field->setText(QStringLiteral("0"));
                field->setMenuShortcuts(menuKeys);
                u.fields[slot] = field;
                u.panel.fields[slot] = &field->port();
                connect(field, &QLineEdit::textChanged, this,
                        [this, unit, slot] { Field_Change(unit, slot); });
                connect(field, &QtTextField::gotFocus, this,
                        [this, field] { Field_GotFocus(*field); });
                widget = field;
                break;
            }
            case layout::PieceKind::Output: {
                auto* label = new QtResultLabel(calculator);
                const auto slot = static_cast<PanelLabel>(piece.slot);
                label->setObjectName(text);
                label->setFont(sized(9.75, true));
                label->setText(QStringLiteral("0"));
                u.labels[slot] = label;
                u.panel.labels[slot] = label;
                widget = label;
                break;
            }
            }
            w.pieces[c].push_back(widget);
        }
    }

    w.rangeHeading = new QLabel(
        QString::fromStdString(layout::withUnit(layout::kRangeHeading.text, code)), frame);
    w.slopeHeading = new QLabel(
        QString::fromStdString(layout::withUnit(layout::kSlopeHeading.text, code)), frame);
    w.rangeHeading->setFont(captionFont);
    w.slopeHeading->setFont(captionFont);
}

void frmQConverter::keepTextsWhole(bool tierListChanged) {
    if (!tierListChanged && layout::widthsNeeded(widgets_) == laidOutFor_) {
        return;
    }
    laidOutFor_ = layout::layOutWindow(widgets_);
    // The window follows its content, unless the user has sized it.
    if (size() == autoSize_) {
        autoSize_ = layout::designedWindowSize().expandedTo(minimumSizeHint());
        resize(autoSize_);
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
            cboConversionType_->addItem(QString::fromStdString(entry.item));
        }
    }
    laidOutFor_ = layout::layOutWindow(widgets_);
    autoSize_ = layout::designedWindowSize().expandedTo(minimumSizeHint());
    resize(autoSize_);
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
        for (const TierListRow& row : rows) {
            QStringList columns;
            for (const std::string* text :
                 {&row.tier, &row.lowest, &row.dash, &row.highest, &row.slope}) {
                columns << QString::fromStdString(*text);
            }
            auto* item = new QTreeWidgetItem(columns);
            item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
            lstSlope_->addTopLevelItem(item);
        }
    } catch (const RuntimeError& error) {
        reportError(error, kSelectionLocation, "");
    }
    keepTextsWhole(true);
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

    lblDirections_->setText(QString::fromStdString(layout::roundingNote(name)));
    QWidget* frame = widgets_.units[static_cast<std::size_t>(shown)].frame;
    frame->move(layout::unitFramePosition());
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
    showWorking(unit, field);
    keepTextsWhole();
}

void frmQConverter::Field_GotFocus(QtTextField& field) {
    field.port().setSelection(0, characterCount(field.port().text()));
}

// The tooltips of calculators 1 and 2 show the working behind their result.
void frmQConverter::showWorking(Unit unit, PanelField field) {
    const UnitFrame& u = units_[unit];
    QtResultLabel* label = nullptr;
    std::vector<std::string> working;
    if (field == FieldCalc1Capacity) {
        label = u.labels[LabelCalc1Wexels];
        working = explainToWexels(u.fields[field]->text().toStdString(), conversionName());
    } else if (field == FieldCalc2Wexels) {
        label = u.labels[LabelCalc2Capacity];
        working = explainToCapacity(u.fields[field]->text().toStdString(), conversionName());
    } else {
        return;
    }
    if (label->text() == QLatin1String("ERR")) {
        working.clear();
    }
    label->setWorking(working);
}

} // namespace wexel
