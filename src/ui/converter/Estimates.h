#pragma once
// What the converter window adds to its calculators for those who quote
// figures: a working panel that shows, tier by tier, how the results of the
// calculator in use were reached, a comparison panel with the Wexels its
// capacity requires under every conversion of the unit, and the estimate of
// that calculator copied in one keystroke. The calculator in use is the one last focused, edited or
// right-clicked. Neither changes what the window shows until asked for.

#include "engine/Calculators.h"

#include <QObject>

#include <functional>
#include <string>

class QAction;
class QPlainTextEdit;
class QWidget;

namespace wexel {

class QtResultLabel;

class Estimates : public QObject {
    Q_OBJECT
public:
    // `panel` is the (hidden) working panel, `comparison` the (hidden)
    // comparison panel, `status` where a copy is confirmed; `conversionName`
    // reads the conversion chosen. The actions' shortcuts work anywhere in
    // `window`.
    Estimates(QWidget* window, QPlainTextEdit* panel, QPlainTextEdit* comparison,
              QtResultLabel* status, std::function<std::string()> conversionName);

    // "Show Working" (Ctrl+Shift+W) and "Compare Conversions" (Ctrl+Shift+O),
    // checkable, and "Copy Estimate" (Ctrl+Shift+C).
    QAction* workingAction() const { return working_; }
    QAction* compareAction() const { return compare_; }
    QAction* copyAction() const { return copy_; }
    // "Save Estimate as PDF..." (Ctrl+Shift+P).
    QAction* savePdfAction() const { return savePdf_; }

    // The calculator in use is now calculator `calculator` (1..5) of `panel`,
    // and its results may have changed: the panel follows.
    void use(const Panel* panel, int calculator);

    // The estimate of the calculator in use, with the working when the panel shows.
    QString estimate() const;

private:
    void showWorking(bool shown);
    void refresh();
    void refreshComparison();
    // Puts the estimate of the calculator in use on the clipboard and says
    // so, or says why not.
    // Whether the estimate of the calculator in use may be given; if not,
    // says why ("Calculator 1's estimate was <notDone>: <reason>.").
    bool given(const QString& notDone);
    void copy();
    // Asks where, and saves the estimate of the calculator in use as a PDF
    // with its working and its conversion's tiers; says so, or why not.
    void savePdf();
    void say(const QString& text);

    QPlainTextEdit* panel_;
    QPlainTextEdit* comparison_;
    QtResultLabel* status_;
    std::function<std::string()> conversionName_;
    QAction* working_;
    QAction* compare_;
    QAction* copy_;
    QAction* savePdf_;
    QWidget* window_;
    const Panel* used_ = nullptr;
    int calculator_ = 1;
};

} // namespace wexel
