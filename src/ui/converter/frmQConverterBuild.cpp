// The converter window's building: its widgets from the layout, each unit
// frame wired to its calculators, the Help menu, and its size fitted to its
// content. How it answers the user is in frmQConverter.cpp.
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

// The Help menu, the one list of its shortcuts: the fields leave these keys
// to the menu (Ctrl+A opens About rather than selecting a field's text).
struct MenuEntry {
    const char* name;
    const char* caption;
    QKeyCombination shortcut;
    void (*command)(HelpMenu&);
};
const std::array<MenuEntry, 5> kMenu{{
    {"mnuHowDoI", "&How Do I?", Qt::CTRL | Qt::Key_F1, [](HelpMenu& m) { m.showHowDoI(); }},
    {"mnuWindowHelp", "&Window Help", QKeyCombination(Qt::Key_F1),
     [](HelpMenu& m) { m.showWindowHelp(); }},
    {"mnuIndex", "&Contents and Index", Qt::SHIFT | Qt::Key_F1, [](HelpMenu& m) { m.showIndex(); }},
    {"mnuContact", "Con&tact Information", Qt::CTRL | Qt::Key_T,
     [](HelpMenu& m) { m.showContact(); }},
    {"mnuAbout", "&About Wexel Converter", Qt::CTRL | Qt::Key_A,
     [](HelpMenu& m) { m.showAbout(); }},
}};
// The separator comes before this entry.
constexpr std::size_t kMenuLineBefore = 3;

} // namespace

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
    // The MSU frame shows at start; the others are built when first chosen.
    buildUnit(UnitMSU);
    // Tab order: the fields in reading order, then Close, then the list.
    setTabOrder(units_[UnitMSU].fields.back(), widgets_.closeButton);
    setTabOrder(widgets_.closeButton, lstSlope_);
    setTabOrder(lstSlope_, widgets_.working);
    setTabOrder(widgets_.working, widgets_.comparison);
    layout::fitTierList(widgets_);
}

void frmQConverter::buildUnit(Unit unit) {
    const auto index = static_cast<std::size_t>(unit);
    UnitFrame& u = units_[index];
    if (widgets_.units[index].built()) {
        return;
    }
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
                [this, unit, slot] { fieldChanged(unit, slot); });
        // Only a user's edit: a text the calculators write back moves nothing.
        connect(field, &QLineEdit::textEdited, this,
                [this, unit, slot] { useCalculator(unit, calculatorOf(slot).number); });
        connect(field, &QtTextField::gotFocus, this, [this, field] { fieldFocused(*field); });
        // In reading order after the conversion type (a hidden frame's
        // fields take no focus).
        setTabOrder(k == 0 ? static_cast<QWidget*>(cboConversionType_)
                           : u.fields[static_cast<std::size_t>(k - 1)],
                    field);
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

} // namespace wexel
