#pragma once
// Reads a written workbook back with a real reader, so the tests check what a
// spreadsheet program sees rather than what the writer meant to write.
#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>
namespace xlsxtest {

// {"sheets", "freeze", "summaryBelow", "widths", "rows": [{"level", "cells": [
// {"value", "type", "format", "font", "size", "bold", "color", "fill"}]}]}
QJsonObject readWorkbook(const QString& path);

QJsonObject cellAt(const QJsonObject& book, int row, int column);
// The values of a row, as JSON values rendered to text ("" for empty).
QStringList rowValues(const QJsonObject& book, int row);
int rowCount(const QJsonObject& book);

// A copy of a workbook whose part lost its last bytes, as a failed write
// leaves it, with the zip around it intact.
void copyWithPartCutShort(const QString& from, const QString& to, const QString& part);

// The files of a folder, hidden ones included.
QStringList filesIn(const QString& folder);

}  // namespace xlsxtest
