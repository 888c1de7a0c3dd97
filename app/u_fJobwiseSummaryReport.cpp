#include "u_fJobwiseSummaryReport.h"

#include "data/windowstyle.h"

TfJobwiseSummaryReport* fJobwiseSummaryReport = nullptr;

TfJobwiseSummaryReport::TfJobwiseSummaryReport(QWidget* owner) : QWidget(owner, Qt::Window) {
    wt::applyWindowDefaults(*this, QStringLiteral(" fJobwiseSummaryReport"), {589, 389});
}
