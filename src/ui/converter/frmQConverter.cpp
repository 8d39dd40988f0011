#include "ui/converter/frmQConverter.h"

#include "engine/ModMath.h"
#include "engine/Working.h"
#include "platform/ErrorReportPort.h"
#include "platform/KeyedCollection.h"
#include "platform/Numbers.h"
#include "platform/RuntimeError.h"
#include "tiers/TierList.h"
#include "tiers/TierQueries.h"
#include "ui/converter/ConverterLayout.h"
#include "ui/converter/QtResultLabel.h"
#include "ui/converter/QtTextField.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeWidget>

#include <algorithm>
#include <cstdint>

namespace wexel {

namespace {

constexpr const char* kPrompt = "Select a conversion type...";
constexpr const char* kDefaultConversion = "WXE007";
constexpr const char* kSelectionLocation = "frmQconverter.cboConversionType_Click";

constexpr std::array<const char*, 3> kUnitCodes{"MSU", "MSG", "ENG"};
constexpr std::array<const char*, 3> kUnitFrameNames{"fraMSU", "FraMSG", "fraENG"};
// The calculator frames of each unit, calculator 1 to 5.
constexpr std::array<std::array<const char*, 5>, 3> kCalculatorNames{{
    {"Frame1", "Frame2", "Frame3", "Frame4", "Frame5"},
    {"Frame11", "Frame10", "Frame9", "Frame8", "Frame7"},
    {"Frame12", "Frame13", "Frame14", "Frame15", "Frame16"},
}};

std::string roundingNote(const std::string& unit) {
    if (unit == "ENG") {
        return std::string("NOTE:  When converting Wexels to ENGs, ") +
               "fractional results are rounded down.  " +
               "Due to this rounding effect, multiple numbers of Wexels " +
               "could be converted to the same number of ENGs.";
    }
    return "NOTE:   When converting " + unit + "s to Wexels, fractional results are rounded up.  " +
           "When converting Wexels to " + unit + "s, fractional results are rounded down.  " +
           "Due to these rounding effects, multiple numbers of " + unit +
           "s could be converted to " + "the same number of Wexels.";
}

QFont sized(const QFont& base, double points, bool bold = false) {
    QFont font(base);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// Room a field needs around its text: frame and the line edit's own margins.
constexpr int kFieldTextMargin = 12;
// Room an output label needs around its text: the sunken border and indent.
constexpr int kOutputTextMargin = 8;
// The widest result a label must show: ten digits and a sign.
constexpr const char* kWidestResult = "-0000000000";

// The design's tier list columns, in pixels.
constexpr std::array<int, 5> kColumnWidths{35, 55, 18, 55, 49};

} // namespace

frmQConverter::frmQConverter(ConverterCommands commands, QWidget* parent)
    : QMainWindow(parent), commands_(std::move(commands)) {
    setObjectName(QStringLiteral("frmQConverter"));
    setWindowTitle(QStringLiteral("Wexel Converter"));
    buildWindow();
    Form_Load();
}

frmQConverter::~frmQConverter() = default;

QPoint frmQConverter::unitFramePosition() const {
    for (const UnitFrame& u : units_) {
        if (!u.frame->isHidden()) {
            return u.frame->pos();
        }
    }
    return {};
}

// ---------------------------------------------------------------------------
// Building

void frmQConverter::buildWindow() {
    central_ = new QWidget(this);
    central_->setObjectName(QStringLiteral("centralWidget"));
    setCentralWidget(central_);

    const QFont base = QApplication::font();
    central_->setFont(sized(base, 8.25));

    lblConversionType_ = new QLabel(QStringLiteral("Conversion Type:"), central_);
    lblConversionType_->setObjectName(QStringLiteral("lblConversionType"));
    lblConversionType_->setFont(sized(base, 9.75));

    cboConversionType_ = new QComboBox(central_);
    cboConversionType_->setObjectName(QStringLiteral("cboConversionType"));
    cboConversionType_->setEditable(false);
    cboConversionType_->setFont(sized(base, 9.75));
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

    lstSlope_ = new QTreeWidget(central_);
    lstSlope_->setObjectName(QStringLiteral("lstSlope"));
    lstSlope_->setFont(sized(base, 8.25));
    lstSlope_->setColumnCount(5);
    lstSlope_->setHeaderHidden(true);
    lstSlope_->header()->setStretchLastSection(false);
    lstSlope_->header()->setMinimumSectionSize(8);
    lstSlope_->setRootIsDecorated(false);
    lstSlope_->setSortingEnabled(false);
    lstSlope_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstSlope_->setSelectionMode(QAbstractItemView::SingleSelection);
    lstSlope_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lstSlope_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    lblDirections_ = new QLabel(central_);
    lblDirections_->setObjectName(QStringLiteral("lblDirections"));
    lblDirections_->setFont(sized(base, 8.25, true));
    lblDirections_->setWordWrap(true);
    lblDirections_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette palette = lblDirections_->palette();
    palette.setColor(QPalette::WindowText, QColor(64, 64, 0));
    lblDirections_->setPalette(palette);

    cmdClose_ = new QPushButton(QStringLiteral("Close"), central_);
    cmdClose_->setObjectName(QStringLiteral("cmdClose"));
    cmdClose_->setFont(sized(base, 8.25));
    connect(cmdClose_, &QPushButton::clicked, this, [this] { cmdClose_Click(); });

    // Tab order: the fields in reading order, unit by unit, then Close, then the list.
    QWidget* previous = cboConversionType_;
    for (const UnitFrame& u : units_) {
        for (QtTextField* field : u.fields) {
            setTabOrder(previous, field);
            previous = field;
        }
    }
    setTabOrder(previous, cmdClose_);
    setTabOrder(cmdClose_, lstSlope_);

    layOut();
}

void frmQConverter::buildMenu() {
    QMenu* help = menuBar()->addMenu(QStringLiteral("  &Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    help->menuAction()->setObjectName(QStringLiteral("mnuHelpAction"));

    struct Entry {
        const char* name;
        const char* caption;
        QKeySequence shortcut;
        std::function<void()> ConverterCommands::*command;
    };
    const std::array<Entry, 5> entries{{
        {"mnuHowDoI", "&How Do I?", QKeySequence(Qt::CTRL | Qt::Key_F1),
         &ConverterCommands::howDoI},
        {"mnuWindowHelp", "&Window Help", QKeySequence(Qt::Key_F1), &ConverterCommands::windowHelp},
        {"mnuIndex", "&Contents and Index", QKeySequence(Qt::SHIFT | Qt::Key_F1),
         &ConverterCommands::contentsAndIndex},
        {"mnuContact", "Con&tact Information", QKeySequence(Qt::CTRL | Qt::Key_T),
         &ConverterCommands::contact},
        {"mnuAbout", "&About Wexel Converter", QKeySequence(Qt::CTRL | Qt::Key_A),
         &ConverterCommands::about},
    }};
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const Entry& e = entries[i];
        if (i == 3) {
            QAction* line = help->addSeparator();
            line->setObjectName(QStringLiteral("mnuLine"));
        }
        QAction* action = help->addAction(QString::fromLatin1(e.caption));
        action->setObjectName(QString::fromLatin1(e.name));
        action->setShortcut(e.shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
        // The window holds the action too, so its shortcut works while the
        // menu is closed.
        addAction(action);
        const auto command = e.command;
        connect(action, &QAction::triggered, this, [this, command] {
            if (commands_.*command) {
                (commands_.*command)();
            }
        });
    }
}

void frmQConverter::buildUnitFrame(Unit unit) {
    UnitFrame& u = units_[unit];
    u.code = kUnitCodes[unit];
    const std::string code = u.code;
    const QFont base = QApplication::font();
    const QFont captionFont = sized(base, 8.25);
    const QFont fieldFont = sized(base, 9.75);
    const QFont outputFont = sized(base, 9.75, true);

    u.frame = new QFrame(central_);
    u.frame->setObjectName(QString::fromLatin1(kUnitFrameNames[unit]));
    u.frame->setFrameShape(QFrame::NoFrame);
    u.frame->hide();

    const QList<QKeySequence> menuKeys{
        QKeySequence(Qt::CTRL | Qt::Key_F1), QKeySequence(Qt::Key_F1),
        QKeySequence(Qt::SHIFT | Qt::Key_F1), QKeySequence(Qt::CTRL | Qt::Key_T),
        QKeySequence(Qt::CTRL | Qt::Key_A)};

    const auto& designs = layout::calculatorDesigns();
    for (std::size_t c = 0; c < designs.size(); ++c) {
        auto* calculator = new QFrame(u.frame);
        calculator->setObjectName(QString::fromLatin1(kCalculatorNames[unit][c]));
        calculator->setFrameShape(QFrame::StyledPanel);
        calculator->setFrameShadow(QFrame::Sunken);
        u.calculators[c] = calculator;
        for (const layout::PieceDesign& piece : designs[c].pieces) {
            const QString text = QString::fromStdString(layout::withUnit(piece.text, code));
            switch (piece.kind) {
            case layout::PieceKind::Caption: {
                auto* label = new QLabel(text, calculator);
                label->setFont(captionFont);
                label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
                break;
            }
            case layout::PieceKind::Field: {
                auto* field = new QtTextField(calculator);
                const auto slot = static_cast<PanelField>(piece.slot);
                field->setObjectName(text);
                field->setFont(fieldFont);
                field->setMaxLength(panelFieldMaxLength(slot));
                field->setText(QStringLiteral("0"));
                field->setMenuShortcuts(menuKeys);
                u.fields[slot] = field;
                u.panel.fields[slot] = &field->port();
                connect(field, &QLineEdit::textChanged, this,
                        [this, unit, slot] { Field_Change(unit, slot); });
                connect(field, &QtTextField::gotFocus, this,
                        [this, field] { Field_GotFocus(*field); });
                break;
            }
            case layout::PieceKind::Output: {
                auto* label = new QtResultLabel(calculator);
                const auto slot = static_cast<PanelLabel>(piece.slot);
                label->setObjectName(text);
                label->setFont(outputFont);
                label->setText(QStringLiteral("0"));
                u.labels[slot] = label;
                u.panel.labels[slot] = label;
                break;
            }
            }
        }
    }

    u.rangeHeading = new QLabel(
        QString::fromStdString(layout::withUnit(layout::kRangeHeading.text, code)), u.frame);
    u.slopeHeading = new QLabel(
        QString::fromStdString(layout::withUnit(layout::kSlopeHeading.text, code)), u.frame);
    u.rangeHeading->setFont(captionFont);
    u.slopeHeading->setFont(captionFont);
}

// Lays every piece out at its measured width with the design's gaps, then
// sizes frames and window to hold them.
void frmQConverter::layOut() {
    using layout::px;
    const auto& designs = layout::calculatorDesigns();

    // Every unit frame is laid out for the widest of the three, so switching
    // units leaves the window as it is.
    int calculatorWidth = px(designs.front().width);
    std::array<std::array<std::vector<QSize>, 5>, UnitCount> minimums;
    for (int unit = 0; unit < UnitCount; ++unit) {
        for (std::size_t c = 0; c < designs.size(); ++c) {
            const QObjectList& children = units_[unit].calculators[c]->children();
            std::vector<QSize>& minimum = minimums[unit][c];
            for (QObject* child : children) {
                auto* widget = qobject_cast<QWidget*>(child);
                if (widget == nullptr) {
                    continue;
                }
                const QFontMetrics fm(widget->font());
                if (auto* field = qobject_cast<QtTextField*>(widget)) {
                    const QString widest(field->maxLength(), QLatin1Char('0'));
                    minimum.emplace_back(fm.horizontalAdvance(widest) + kFieldTextMargin,
                                         std::max(fm.height() + 6, field->sizeHint().height()));
                } else if (qobject_cast<QtResultLabel*>(widget) != nullptr) {
                    minimum.emplace_back(fm.horizontalAdvance(QString::fromLatin1(kWidestResult)) +
                                             kOutputTextMargin,
                                         fm.height() + 6);
                } else if (auto* label = qobject_cast<QLabel*>(widget)) {
                    minimum.emplace_back(fm.horizontalAdvance(label->text()) + 2, fm.height());
                }
            }
            const layout::CalculatorFit fit = layout::fitCalculator(designs[c], minimum);
            calculatorWidth = std::max(calculatorWidth, fit.frame.width());
        }
    }

    int unitFrameWidth = 0;
    int unitFrameHeight = 0;
    for (int unit = 0; unit < UnitCount; ++unit) {
        UnitFrame& u = units_[unit];
        int below = 0; // bottom of the calculator above
        for (std::size_t c = 0; c < designs.size(); ++c) {
            const layout::CalculatorFit fit =
                layout::fitCalculator(designs[c], minimums[unit][c], calculatorWidth);
            int index = 0;
            for (QObject* child : u.calculators[c]->children()) {
                if (auto* widget = qobject_cast<QWidget*>(child)) {
                    widget->setGeometry(fit.pieces[static_cast<std::size_t>(index++)]);
                }
            }
            const int top = c == 0 ? px(designs[c].top)
                                   : std::max(px(designs[c].top), below + layout::kCalculatorGap);
            u.calculators[c]->setGeometry(px(designs[c].left), top, fit.frame.width(),
                                          fit.frame.height());
            below = top + fit.frame.height();
        }
        const int headingTop = std::max(px(layout::kRangeHeading.top), below + 2);
        for (auto [label, design] : {std::pair{u.rangeHeading, layout::kRangeHeading},
                                     std::pair{u.slopeHeading, layout::kSlopeHeading}}) {
            const QFontMetrics fm(label->font());
            label->setGeometry(px(design.left), headingTop,
                               std::max(px(design.width), fm.horizontalAdvance(label->text()) + 2),
                               std::max(px(design.height), fm.height()));
        }
        const int width = std::max(layout::px(layout::kUnitFrameWidth),
                                   px(designs.front().left) + calculatorWidth +
                                       px(layout::kFrameRightMargin) / 2);
        const int height = std::max(layout::px(layout::kUnitFrameHeight),
                                    u.rangeHeading->geometry().bottom() + 1 + 2);
        u.frame->resize(width, height);
        unitFrameWidth = std::max(unitFrameWidth, width);
        unitFrameHeight = std::max(unitFrameHeight, height);
    }
    for (UnitFrame& u : units_) {
        u.frame->resize(unitFrameWidth, unitFrameHeight);
    }

    // The bottom strip moves down by what the unit frame grew.
    const int shift = std::max(0, px(layout::kUnitFrameTop) + unitFrameHeight -
                                      (px(layout::kUnitFrameTop) + px(layout::kUnitFrameHeight)));
    unitFrameBottom_ = px(layout::kUnitFrameTop) + unitFrameHeight;

    // Tier list: columns wide enough for their texts, the list as wide as
    // its columns and the scroll bar.
    const QFontMetrics listFm(lstSlope_->font());
    std::array<int, 5> columns = kColumnWidths;
    columns[0] = std::max(columns[0], listFm.horizontalAdvance(QStringLiteral("Tier W")) + 10);
    columns[1] = std::max(columns[1], listFm.horizontalAdvance(QStringLiteral("0000000")) + 10);
    columns[2] = std::max(columns[2], listFm.horizontalAdvance(QStringLiteral("-")) + 10);
    columns[3] = std::max(columns[3], listFm.horizontalAdvance(QStringLiteral("0000000")) + 10);
    columns[4] = std::max(columns[4], listFm.horizontalAdvance(QStringLiteral("0.0000")) + 10);
    int columnsWidth = 0;
    for (int i = 0; i < 5; ++i) {
        lstSlope_->setColumnWidth(i, columns[static_cast<std::size_t>(i)]);
        columnsWidth += lstSlope_->columnWidth(i);
    }
    lstSlope_->ensurePolished();
    lstSlope_->verticalScrollBar()->ensurePolished();
    const int scrollBar =
        std::max(lstSlope_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, lstSlope_),
                 lstSlope_->verticalScrollBar()->sizeHint().width());
    const int listWidth =
        std::max(px(3495), columnsWidth + scrollBar + 2 * lstSlope_->frameWidth() + 4);
    lstSlope_->setGeometry(px(360), px(4560) + shift, listWidth, px(1815));
    // The headings stand over the range and the slope columns of the list.
    for (UnitFrame& u : units_) {
        const int rangeLeft = px(360) + lstSlope_->frameWidth() + columns[0];
        const int slopeLeft = rangeLeft + columns[1] + columns[2] + columns[3];
        QRect range = u.rangeHeading->geometry();
        range.moveLeft(std::max(range.left(), rangeLeft));
        u.rangeHeading->setGeometry(range);
        QRect slope = u.slopeHeading->geometry();
        slope.moveLeft(std::max({slope.left(), slopeLeft, range.right() + 5}));
        u.slopeHeading->setGeometry(slope);
    }

    // Directions: tall enough for the longest of the three notes.
    const int directionsLeft = std::max(px(4080), lstSlope_->geometry().right() + 1 + px(225));
    const int directionsWidth = std::max(px(5175), unitFrameWidth - directionsLeft - px(180));
    const QFontMetrics noteFm(lblDirections_->font());
    int noteHeight = px(1035);
    for (const char* unit : kUnitCodes) {
        const QRect needed =
            noteFm.boundingRect(QRect(0, 0, directionsWidth, 10000), Qt::TextWordWrap,
                                QString::fromStdString(roundingNote(unit)));
        noteHeight = std::max(noteHeight, needed.height() + 4);
    }
    lblDirections_->setGeometry(directionsLeft, px(4680) + shift, directionsWidth, noteHeight);

    const QFontMetrics buttonFm(cmdClose_->font());
    const int buttonWidth = std::max(px(975), buttonFm.horizontalAdvance(cmdClose_->text()) + 20);
    const int buttonTop =
        std::max(px(5880) + shift, lblDirections_->geometry().bottom() + 1 + px(165));
    cmdClose_->setGeometry(directionsLeft + directionsWidth - buttonWidth, buttonTop, buttonWidth,
                           std::max(px(495), cmdClose_->sizeHint().height()));

    layOutTopStrip();

    // The window: the design's outer size, or what its content needs.
    const int contentWidth = std::max({unitFrameWidth, cmdClose_->geometry().right() + 1 + px(180),
                                       cboConversionType_->geometry().right() + 1 + px(120)});
    const int contentHeight =
        std::max(lstSlope_->geometry().bottom(), cmdClose_->geometry().bottom()) + 1 + px(180);
    central_->setMinimumSize(contentWidth, contentHeight);
}

void frmQConverter::layOutTopStrip() {
    using layout::px;
    const QFontMetrics fm(lblConversionType_->font());
    const int labelWidth = std::max(px(1695), fm.horizontalAdvance(lblConversionType_->text()) + 4);
    const int boxHeight = cboConversionType_->sizeHint().height();
    const int boxLeft = std::max(px(2280), px(480) + labelWidth + px(105));
    lblConversionType_->setGeometry(px(480), px(60), labelWidth, boxHeight);
    cboConversionType_->setGeometry(
        boxLeft, px(60), std::max(px(3735), cboConversionType_->sizeHint().width()), boxHeight);
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
    layOutTopStrip();
    const int width = std::max(layout::px(9555), central_->minimumWidth());
    const int height =
        std::max(layout::px(7275), central_->minimumHeight() + menuBar()->sizeHint().height());
    resize(width, height);
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
        std::string name = conversionName();
        SetValues(name);
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
}

void frmQConverter::SetValues(std::string& name) {
    units_[UnitMSU].frame->hide();
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
        if (name == kUnitCodes[static_cast<std::size_t>(unit)]) {
            shown = unit;
        }
    }
    if (shown < 0) {
        return;
    }
    UnitFrame& u = units_[static_cast<std::size_t>(shown)];

    for (const UnitFrame& from : units_) {
        if (&from != &u && LastUnitsShown == from.code) {
            for (int k = 0; k < PanelFieldCount; ++k) {
                u.fields[static_cast<std::size_t>(k)]->setText(
                    from.fields[static_cast<std::size_t>(k)]->text());
            }
        }
    }

    lblDirections_->setText(QString::fromStdString(roundingNote(name)));
    u.frame->move(0, layout::px(layout::kUnitFrameTop));
    for (int k = 0; k < PanelFieldCount; ++k) {
        Field_Change(static_cast<Unit>(shown), static_cast<PanelField>(k));
    }

    u.frame->show();
    // The two others are hidden in the order of the original window.
    static constexpr std::array<std::array<int, 2>, 3> hideOrder{
        {{UnitMSG, UnitENG}, {UnitMSU, UnitENG}, {UnitMSG, UnitMSU}}};
    for (int other : hideOrder[static_cast<std::size_t>(shown)]) {
        units_[static_cast<std::size_t>(other)].frame->hide();
    }
    LastUnitsShown = name;
}

void frmQConverter::cmdClose_Click() {
    close();
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
    if (commands_.unload) {
        commands_.unload();
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
}

void frmQConverter::Field_GotFocus(QtTextField& field) {
    field.port().setSelection(0, 0);
    field.port().setSelection(0, characterCount(field.port().text()));
}

// The tooltips of calculators 1 and 2 show the working behind their result.
void frmQConverter::showWorking(Unit unit, PanelField field) {
    UnitFrame& u = units_[unit];
    const auto working = [](QtResultLabel* label, const std::string& text) {
        label->setWorking(label->text() == QLatin1String("ERR") ? std::string() : text);
    };
    if (field == FieldCalc1Capacity) {
        working(u.labels[LabelCalc1Wexels],
                explainCapacityToWexels(u.fields[field]->text().toStdString(), conversionName(),
                                        u.code));
    } else if (field == FieldCalc2Wexels) {
        working(u.labels[LabelCalc2Capacity],
                explainWexelsToCapacity(u.fields[field]->text().toStdString(), conversionName(),
                                        u.code));
    }
}

} // namespace wexel
