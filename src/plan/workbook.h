#pragma once
// An Office Open XML workbook (.xlsx, as Excel, WPS and LibreOffice save it) read as a sheet
// reader reads CSV: each worksheet's rows as records of cells by column, a cell's text as the
// spreadsheet shows it in its general form (a shared or inline string, a number without a
// ".0" a whole number does not have), so that one plan reader serves both formats.

#include "plan/csvrecords.h"
#include "plan/zipentries.h"

#include <QXmlStreamReader>

#include <memory>
#include <variant>
#include <vector>

namespace callcfg {

// The worksheets' names and parts in the workbook's order, and the strings they share.
class Workbook {
public:
    // The workbook in `bytes` (which must outlive it); the message when it is none.
    static std::variant<Workbook, QString> open(QByteArrayView bytes);

    int sheetCount() const { return int(sheets_.size()); }
    const QString& sheetName(int sheet) const { return sheets_[std::size_t(sheet)].name; }
    // The worksheet's XML; the message when it cannot be read.
    std::variant<QByteArray, QString> sheetXml(int sheet);
    const std::vector<QString>& sharedStrings() const { return shared_; }

private:
    struct Sheet {
        QString name;
        QString part;
    };
    std::shared_ptr<ZipEntries> zip_;
    std::vector<Sheet> sheets_;
    std::vector<QString> shared_;
};

// A worksheet's rows one at a time, as CsvReader gives a CSV's: `index` is the spreadsheet's
// row less one, `line` its row; no blank field at the end of a record nor past the width is
// kept, and a row whose cells are all blank is passed over.
class WorksheetReader {
public:
    WorksheetReader(const QByteArray& xml, const std::vector<QString>& shared, int width);

    std::optional<CsvRecord> next();
    const std::optional<CsvProblem>& problem() const { return problem_; }

private:
    std::optional<QString> cellText(const QString& type);
    void fail(const QString& message);

    QXmlStreamReader xml_;
    const std::vector<QString>& shared_;
    const int width_;
    int row_ = 0; // the last row read, from 1
    std::optional<CsvProblem> problem_;
};

} // namespace callcfg
