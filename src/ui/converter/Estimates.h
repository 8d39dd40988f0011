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
#include <optional>
#include <string>

class QAction;
class QPlainTextEdit;
class QTextDocument;
class QWidget;

namespace wexel {

class QtResultLabel;
class TierChart;

class Estimates : public QObject {
    Q_OBJECT
public:
    // `panel` is the (hidden) working panel, `comparison` the (hidden)
    // comparison panel, `status` where a copy is confirmed; `conversionName`
    // reads the conversion chosen. The actions' shortcuts work anywhere in
    // `window`.
    Estimates(QWidget* window, QPlainTextEdit* panel, QPlainTextEdit* comparison,
              QtResultLabel* status, std::function<std::string()> conversionName);
    ~Estimates() override;

    // "Show Working" (Ctrl+Shift+W) and "Compare Conversions" (Ctrl+Shift+O),
    // checkable, and "Copy Estimate" (Ctrl+Shift+C).
    QAction* workingAction() const { return working_; }
    QAction* compareAction() const { return compare_; }
    QAction* copyAction() const { return copy_; }
    // "Save Estimate as PDF..." (Ctrl+Shift+P), "Print Estimate..." (Ctrl+P)
    // and "Tier Chart" (Ctrl+Shift+G).
    QAction* savePdfAction() const { return savePdf_; }
    QAction* printAction() const { return print_; }
    QAction* chartAction() const { return chart_; }

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
    // Prints the same through Qt's print dialog.
    void print();
    // The saved and printed estimate: its text, then the chart when the
    // chart plugin is there.
    void fillDocument(QTextDocument& document) const;
    // Opens (or raises) the tier chart of the chosen conversion.
    void showChart();
    void refreshChart();
    // The capacity of the calculator in use: what calculator 1 is given,
    // what the others find.
    std::string capacityInUse() const;
    void say(const QString& text);

    QPlainTextEdit* panel_;
    QPlainTextEdit* comparison_;
    QtResultLabel* status_;
    std::function<std::string()> conversionName_;
    QAction* working_;
    QAction* compare_;
    QAction* copy_;
    QAction* savePdf_;
    QAction* print_;
    QAction* chart_;
    TierChart* chartWindow_ = nullptr;
    std::string chartConversion_; // whose curve the chart shows, up to chartEnd_
    double chartEnd_ = 0.0;
    QWidget* window_;
    const Panel* used_ = nullptr;
    int calculator_ = 1;
};

} // namespace wexel
