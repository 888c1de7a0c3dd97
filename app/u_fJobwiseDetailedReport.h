#pragma once
// A report that is not built yet: its menu entry answers "Work in progress",
// so this window is created at start and never shown.
#include <QWidget>

class TfJobwiseDetailedReport : public QWidget {
    Q_OBJECT
  public:
    explicit TfJobwiseDetailedReport(QWidget* owner);
};

extern TfJobwiseDetailedReport* fJobwiseDetailedReport;
