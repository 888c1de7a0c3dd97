// The report's benchmark steps, one command per kind of figure; each prints
// one JSON object on stdout for scripts/bench to tabulate:
//   wt_bench query                    the report query's text
//   wt_bench layout                   the grid's columns, grouping and sums
//   wt_bench load DB                  one load with the memory it adds
//   wt_bench grid DB RUNS             filter keystrokes, grouping, sorting
//   wt_bench export DB FILE RUNS      the export of the grouped grid
//   wt_bench export-e2e DB FILE       query to file in one go
// The first of RUNS+1 repetitions is the warm-up; it is reported as such.
#include <QApplication>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QTextStream>
#include <chrono>
#include <cstdio>
#include <functional>

#include "bench/procstatus.h"
#include "bench/reportsession.h"
#include "core/errors.h"
#include "data/gridstyle.h"
#include "data/windowstyle.h"
#include "reports/aging/agingqueries.h"
#include "reports/aging/resultgrid.h"
#include "xlsx/export.h"

namespace {

using Clock = std::chrono::steady_clock;

const QString partnerCaption = QStringLiteral("Partner");
const QString currencyCaption = QStringLiteral("Curr.");
const QString docValueCaption = QStringLiteral("DocValue");

// Typing a prefix pattern under "Partner" and deleting it again: the first
// three keystrokes ask for equal names, the fourth for every name that
// begins so, the last shows every row again.
const QStringList filterTyped = {QStringLiteral("a"), QStringLiteral("ag"), QStringLiteral("agr"),
                                 QStringLiteral("agr%")};
const QStringList filterDeleted = {QStringLiteral("agr"), QStringLiteral("ag"), QStringLiteral("a"),
                                   QString()};

double secondsOf(const std::function<void()>& work) {
    const Clock::time_point start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void print(const QJsonObject& object) {
    std::fputs(QJsonDocument(object).toJson(QJsonDocument::Compact).constData(), stdout);
    std::fputc('\n', stdout);
}

struct Step {
    QString name;
    std::function<void()> run;
};

// Steps timed one by one, repeated; reset (untimed) brings the grid back to
// where the first step starts. records: rows passing after each step.
QJsonObject timeSteps(const std::vector<Step>& steps, const std::function<void()>& reset, int runs,
                      const grid::GridModel& model) {
    QJsonArray names, records, timings;
    for (const Step& step : steps) names.append(step.name);
    for (int run = 0; run <= runs; ++run) {
        QJsonArray seconds;
        for (const Step& step : steps) {
            seconds.append(secondsOf(step.run));
            if (run == 0) records.append(model.recordCount());
        }
        timings.append(seconds);
        reset();
    }
    return {{QStringLiteral("steps"), names},
            {QStringLiteral("records"), records},
            {QStringLiteral("runs"), timings}};
}

QJsonObject filterFigures(bench::ReportSession& session, int runs) {
    grid::GridModel& model = session.model();
    const int partner = session.column(partnerCaption);
    const auto keystroke = [&model, partner](const QString& name, const QString& text) {
        return Step{name, [&model, partner, text] { model.setFilterValue(partner, text); }};
    };
    std::vector<Step> steps;
    for (const QString& text : filterTyped) steps.push_back(keystroke(u'"' + text + u'"', text));
    for (const QString& text : filterDeleted)
        steps.push_back(keystroke(QStringLiteral("back to \"%1\"").arg(text), text));
    // The last keystroke empties the filter: each run starts from no filter.
    const auto noReset = [] {};
    return timeSteps(steps, noReset, runs, model);
}

QJsonObject groupFigures(bench::ReportSession& session, int runs) {
    grid::GridModel& model = session.model();
    const int partner = session.column(partnerCaption);
    const int currency = session.column(currencyCaption);
    const std::vector<Step> steps = {
        {QStringLiteral("group by Partner"), [&] { model.groupBy(partner, 0); }},
        {QStringLiteral("then by Curr."), [&] { model.groupBy(currency, 1); }},
    };
    return timeSteps(
        steps, [&] { model.setGrouping({}); }, runs, model);
}

QJsonObject sortFigures(bench::ReportSession& session, int runs) {
    grid::GridModel& model = session.model();
    const int docValue = session.column(docValueCaption);
    const std::vector<Step> steps = {
        {QStringLiteral("sort by DocValue"), [&] { model.clickSort(docValue, false); }},
    };
    return timeSteps(
        steps, [&] { model.setSort({}); }, runs, model);
}

void loadCommand(const QString& database) {
    bench::ReportSession session(database);
    session.connect();
    const bench::MemoryStatus before = bench::memoryStatus();
    const double seconds = secondsOf([&] {
        session.load();
        session.readFirstScreen();
    });
    const bench::MemoryStatus after = bench::memoryStatus();
    print({{QStringLiteral("rows"), session.query().rowCount()},
           {QStringLiteral("seconds"), seconds},
           {QStringLiteral("rssBeforeKb"), before.residentKb},
           {QStringLiteral("peakKb"), after.peakKb},
           {QStringLiteral("rssAfterKb"), after.residentKb},
           {QStringLiteral("tableBytes"), qint64(session.query().table().memoryBytes())}});
}

void gridCommand(const QString& database, int runs) {
    bench::ReportSession session(database);
    session.connect();
    session.load();
    print({{QStringLiteral("rows"), session.query().rowCount()},
           {QStringLiteral("filter"), filterFigures(session, runs)},
           {QStringLiteral("group"), groupFigures(session, runs)},
           {QStringLiteral("sort"), sortFigures(session, runs)}});
}

// The aging window's export: the grid style of dmCon, the window's font.
class Exporter {
  public:
    explicit Exporter(bench::ReportSession& session) : session_(session) {}
    void groupByPartner() { session_.model().groupBy(session_.column(partnerCaption), 0); }
    void exportTo(const QString& file) {
        xlsx::exportGrid(session_.model(), file, style_.GridTableViewStyleSheetDevExpress,
                         wt::tahoma());
    }

  private:
    bench::ReportSession& session_;
    TcxStyleRepository style_;
};

void exportCommand(const QString& database, const QString& file, int runs) {
    bench::ReportSession session(database);
    session.connect();
    session.load();
    Exporter exporter(session);
    exporter.groupByPartner();
    QJsonArray seconds;
    for (int run = 0; run <= runs; ++run)
        seconds.append(secondsOf([&] { exporter.exportTo(file); }));
    print({{QStringLiteral("rows"), session.query().rowCount()},
           {QStringLiteral("listedRows"), session.model().rowCount()},
           {QStringLiteral("fileBytes"), QFileInfo(file).size()},
           {QStringLiteral("runs"), seconds}});
}

void exportEndToEndCommand(const QString& database, const QString& file) {
    bench::ReportSession session(database);
    session.connect();
    Exporter exporter(session);
    const double seconds = secondsOf([&] {
        session.load();
        exporter.groupByPartner();
        exporter.exportTo(file);
    });
    print({{QStringLiteral("rows"), session.query().rowCount()},
           {QStringLiteral("seconds"), seconds}});
}

void queryCommand() { QTextStream(stdout) << aging::reportText().join(u'\n') << '\n'; }

// Tab-separated, for the raw writer and the pandas pipeline: the grouped
// column, every grid column with its width and caption, the summed fields.
void layoutCommand() {
    QTextStream out(stdout);
    const std::vector<grid::ColumnDef> columns = aging::resultColumns();
    for (const grid::ColumnDef& column : columns)
        if (column.caption == partnerCaption) out << "group\t" << column.fieldName << '\n';
    for (const grid::ColumnDef& column : columns)
        out << "column\t" << column.fieldName << '\t' << column.width << '\t' << column.caption
            << '\n';
    for (const grid::SumItem& sum : aging::resultSums()) out << "sum\t" << sum.fieldName << '\n';
}

int usage() {
    std::fputs(
        "usage: wt_bench query | layout | load DB | grid DB RUNS | export DB FILE RUNS |"
        " export-e2e DB FILE\n",
        stderr);
    return 2;
}

struct Command {
    const char* name;
    int arguments;
    std::function<void(const QStringList&)> run;
};

const std::vector<Command> commands = {
    {"query", 0, [](const QStringList&) { queryCommand(); }},
    {"layout", 0, [](const QStringList&) { layoutCommand(); }},
    {"load", 1, [](const QStringList& a) { loadCommand(a[0]); }},
    {"grid", 2, [](const QStringList& a) { gridCommand(a[0], a[1].toInt()); }},
    {"export", 3, [](const QStringList& a) { exportCommand(a[0], a[1], a[2].toInt()); }},
    {"export-e2e", 2, [](const QStringList& a) { exportEndToEndCommand(a[0], a[1]); }},
};

int run(const QStringList& args) {
    for (const Command& command : commands) {
        if (args.value(0) != QLatin1String(command.name) || args.size() != command.arguments + 1)
            continue;
        command.run(args.mid(1));
        return 0;
    }
    return usage();
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    // A user's regional settings: grouped sums, collation of the names.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    try {
        return run(QApplication::arguments().mid(1));
    } catch (const wt::Error& error) {
        std::fprintf(stderr, "wt_bench: %s\n", qPrintable(error.message()));
        return 1;
    }
}
