#include "u_fJobwiseDetailedReport.h"

#include "data/windowstyle.h"

TfJobwiseDetailedReport* fJobwiseDetailedReport = nullptr;

TfJobwiseDetailedReport::TfJobwiseDetailedReport(QWidget* owner) : QWidget(owner, Qt::Window) {
    wt::applyWindowDefaults(*this, QStringLiteral("fJobwiseDetailedReport"), {583, 369});
}
