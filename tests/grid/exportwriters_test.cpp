#include "grid/exportgrid.h"
#include "grid/exportwriters.h"
#include "support/scriptedprompter.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

// Three columns, the awkward cells: Chinese, a comma and quotes, Null, a date.
class SmallTable : public ExportSource {
public:
    int columnCount() const override { return 3; }
    QString title(int c) const override { return QStringList{"商品编码", "当前库存|数量", "备注"}[c]; }
    int rowCount() const override { return 2; }
    QVariant value(int r, int c) const override {
        const QVariant cells[2][3] = {{"XZ001", 12.5, "运动鞋, \"大号\""},
                                      {"XZ002", QVariant(), QDateTime(QDate(2004, 3, 5), QTime(0, 0))}};
        return cells[r][c];
    }
};

QByteArray written(exportwriters::Format format, const ExportSource& source = SmallTable()) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(exportwriters::write(format, source, buffer));
    return buffer.data();
}

TEST(ExportWriters, CsvIsUtf8WithBomAndQuotedByRfc4180) {
    EXPECT_EQ(written(exportwriters::Format::Csv).toStdString(),
              "\xEF\xBB\xBF商品编码,当前库存 数量,备注\r\n"
              "XZ001,12.5,\"运动鞋, \"\"大号\"\"\"\r\n"
              "XZ002,,2004-03-05\r\n");
}

TEST(ExportWriters, TextIsTabSeparatedUtf8WithBom) {
    EXPECT_EQ(written(exportwriters::Format::Text).toStdString(),
              "\xEF\xBB\xBF商品编码\t当前库存 数量\t备注\nXZ001\t12.5\t运动鞋, \"大号\"\nXZ002\t\t2004-03-05\n");
}

TEST(ExportWriters, HtmlIsAnEscapedUtf8TableWithTextCellsMarked) {
    const QString html = QString::fromUtf8(written(exportwriters::Format::Html));
    EXPECT_TRUE(html.contains("<meta charset=\"utf-8\">"));
    EXPECT_TRUE(html.contains("<th rowspan=\"2\">商品编码</th><th colspan=\"1\">当前库存</th>"));
    EXPECT_TRUE(html.contains("<tr><th>数量</th></tr>"));
    EXPECT_TRUE(html.contains("<td class=\"t\">运动鞋, &quot;大号&quot;</td>"));
    EXPECT_TRUE(html.contains("<td align=\"right\">12.5</td>"));
    EXPECT_EQ(html.count("<tr>"), 4);
}

TEST(ExportWriters, RtfIsATableWithChineseAsUnicodeEscapes) {
    const QByteArray rtf = written(exportwriters::Format::Rtf);
    EXPECT_TRUE(rtf.startsWith("{\\rtf1"));
    EXPECT_TRUE(rtf.contains("\\u21830?\\u21697?"));  // 商品
    EXPECT_EQ(rtf.count("\\row"), 3);
    for (const char c : rtf) EXPECT_GE(static_cast<unsigned char>(c), 0) << "plain ASCII only";
    EXPECT_FALSE(rtf.contains("运动"));
    EXPECT_FALSE(rtf.contains("|")) << "the two-level title reads as one";
}

// A source with the grid's widths, formats, a two-level group of three
// columns, codes with leading zeros and text that looks like a formula.
class FormattedTable : public ExportSource {
public:
    explicit FormattedTable(int rows = 3) : rows_(rows) {}
    int columnCount() const override { return 5; }
    QString title(int c) const override { return QStringList{"商品编码", "尺码|36", "尺码|37", "尺码|38", "零售价"}[c]; }
    int rowCount() const override { return rows_; }
    QVariant value(int r, int c) const override {
        if (c == 0) return r == 1 ? QString("=1+2") : QString("%1").arg(r + 123, 5, 10, QChar('0'));
        if (c == 4) return r == 2 ? -3.0 : 12.0 + r;
        return double(r % 7);
    }
    int width(int c) const override { return QList<int>{90, 30, 30, 30, 140}[c]; }
    QString format(int c) const override { return c == 4 ? "0.00;-0.00;#" : "0;-0;#"; }

private:
    int rows_;
};

TEST(ExportWriters, RtfColumnsAreAsWideAsOnTheGrid) {
    const QByteArray rtf = written(exportwriters::Format::Rtf, FormattedTable());
    // 15 twips to a screen pixel: 90, 30, 30, 30, 140 pixels.
    EXPECT_TRUE(rtf.contains("\\cellx1350\\"));
    EXPECT_TRUE(rtf.contains("\\cellx2700\\") && rtf.contains("\\cellx4800\n")) << rtf.left(600).toStdString();
}

TEST(ExportWriters, FormulaLikeTextIsGuardedButNumbersAreNot) {
    const struct {
        const char* text;
        const char* written;
    } cases[] = {{"=1+2", "'=1+2"},         {"+86 10 1234", "'+86 10 1234"}, {"-2+3", "'-2+3"},
                 {"@SUM(A1)", "'@SUM(A1)"}, {"\tx", "'\tx"},                {"\rx", "'\rx"},
                 {"-5", "-5"},               {"-0.25", "-0.25"},              {"+7", "+7"},
                 {"00123", "00123"},         {"a=b", "a=b"},                  {"", ""}};
    for (const auto& c : cases)
        EXPECT_EQ(exportwriters::guardedText(c.text).toStdString(), c.written) << c.text;
    const QString csv = QString::fromUtf8(written(exportwriters::Format::Csv, FormattedTable()));
    EXPECT_TRUE(csv.contains("\r\n'=1+2,1,1,1,13\r\n")) << csv.toStdString();
    EXPECT_TRUE(csv.contains(",-3\r\n")) << "a negative number stays a number";
    const QString text = QString::fromUtf8(written(exportwriters::Format::Text, FormattedTable()));
    EXPECT_TRUE(text.contains("\n'=1+2\t")) << text.toStdString();
}

TEST(ExportWriters, DisplayFormatsBecomeExcelNumberFormats) {
    const struct {
        const char* display;
        const char* excel;
    } cases[] = {{"0.00;-0.00;#", "0.00;-0.00;#"},
                 {"0;-0;#", "0;-0;#"},
                 {"￥0.00;￥-0.00;￥0.00", "\"￥\"0.00;\"￥\"-0.00;\"￥\"0.00"},
                 {"0.00 元", "0.00 \"元\""},
                 {"", ""}};
    for (const auto& c : cases)
        EXPECT_EQ(exportwriters::excelNumberFormat(c.display).toStdString(), c.excel) << c.display;
}

TEST(ExportWriters, ExcelIsACompoundFileWorkbook) {
    const QByteArray xls = written(exportwriters::Format::Excel);
    EXPECT_TRUE(xls.startsWith(QByteArray::fromHex("D0CF11E0A1B11AE1")));
    EXPECT_EQ(xls.size() % 512, 0);
    EXPECT_TRUE(xls.contains(QByteArray::fromHex("57006F0072006B0062006F006F006B00")));  // "Workbook"
}

// LibreOffice opens a written file and saves it again in another format;
// the files it writes, read back in order. Empty where LibreOffice is not
// installed (the caller skips).
class OfficeRoundTrip {
public:
    static bool available() { return !QStandardPaths::findExecutable("soffice").isEmpty(); }

    QStringList convert(exportwriters::Format format, const ExportSource& source, const QString& to,
                        const QString& importFilter = {}) {
        const QString name = exportwriters::withExtension("list", format);
        QFile file(dir.path() + "/" + name);
        if (!file.open(QIODevice::WriteOnly)) return {};
        file.write(written(format, source));
        file.close();
        QStringList args{"-env:UserInstallation=file://" + dir.path() + "/profile", "--headless"};
        if (!importFilter.isEmpty()) args << "--infilter=" + importFilter;
        args << "--convert-to" << to << "--outdir" << dir.path() + "/out" << file.fileName();
        QProcess lo;
        lo.start(QStandardPaths::findExecutable("soffice"), args);
        lo.waitForFinished(600000);
        QStringList out;
        const QDir outDir(dir.path() + "/out");
        for (const QString& f : outDir.entryList(QDir::Files, QDir::Name)) {
            QFile read(outDir.filePath(f));
            if (read.open(QIODevice::ReadOnly)) out.append(QString::fromUtf8(read.readAll()));
        }
        return out;
    }

private:
    QTemporaryDir dir;
};

// The shown values, every sheet into its own file.
const QString kCsvAllSheets = "csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,true,false,false,-1";

TEST(ExportWriters, LibreOfficeReadsTheWorkbookBack) {
    if (!OfficeRoundTrip::available()) GTEST_SKIP() << "LibreOffice is not installed";
    const QStringList sheets = OfficeRoundTrip().convert(exportwriters::Format::Excel, SmallTable(), kCsvAllSheets);
    ASSERT_EQ(sheets.size(), 1);
    EXPECT_EQ(sheets[0].toStdString(),
              "商品编码,当前库存,备注\n"
              ",数量,\n"
              "XZ001,12.5,\"运动鞋, \"\"大号\"\"\"\n"
              "XZ002,,2004-03-05\n");
}

// The workbook as a spreadsheet shows it: titles bold, the size group
// merged over its three columns and the single titles over both title
// rows, the grid's widths, numbers in the column's display format.
TEST(ExportWriters, WorkbookTitlesWidthsAndFormatsAsOnTheGrid) {
    if (!OfficeRoundTrip::available()) GTEST_SKIP() << "LibreOffice is not installed";
    OfficeRoundTrip office;
    const QStringList sheets = office.convert(exportwriters::Format::Excel, FormattedTable(), kCsvAllSheets);
    ASSERT_EQ(sheets.size(), 1);
    EXPECT_EQ(sheets[0].toStdString(),
              "商品编码,尺码,,,零售价\n"
              ",36,37,38,\n"
              "00123,,,,12.00\n"
              "=1+2,1,1,1,13.00\n"
              "00125,2,2,2,-3.00\n");
    const QStringList html = OfficeRoundTrip().convert(exportwriters::Format::Excel, FormattedTable(), "html:HTML (StarCalc)");
    ASSERT_EQ(html.size(), 1);
    const QString page = QString(html[0]).remove('\n');
    EXPECT_TRUE(page.contains(QRegularExpression("<td colspan=3[^>]*><b>(<font[^>]*>)?尺码<"))) << page.toStdString();
    EXPECT_TRUE(page.contains(QRegularExpression("<td rowspan=2[^>]*><b>(<font[^>]*>)?商品编码<")));
    QList<int> cols;
    for (auto it = QRegularExpression(R"re(<colgroup (span="(\d+)" )?width="(\d+)">)re").globalMatch(page); it.hasNext();) {
        const auto m = it.next();
        for (int span = std::max(1, m.captured(2).toInt()); span > 0; --span) cols.append(m.captured(3).toInt());
    }
    ASSERT_EQ(cols.size(), 5) << page.left(2000).toStdString();
    EXPECT_GT(cols[0], 2 * cols[1]);
    EXPECT_GT(cols[4], 4 * cols[1]);
}

// Past 65 536 rows the rows go on in a second sheet under the same titles;
// codes stay text with their leading zeros.
TEST(ExportWriters, SeventyThousandRowsAllReachTheWorkbook) {
    if (!OfficeRoundTrip::available()) GTEST_SKIP() << "LibreOffice is not installed";
    const QStringList sheets = OfficeRoundTrip().convert(exportwriters::Format::Excel, FormattedTable(70000), kCsvAllSheets);
    ASSERT_EQ(sheets.size(), 2);
    const QStringList first = sheets[0].split('\n', Qt::SkipEmptyParts);
    const QStringList second = sheets[1].split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(first.size(), 65536);
    EXPECT_EQ(first.size() + second.size() - 4, 70000) << "two title rows on each sheet";
    EXPECT_TRUE(second[0].startsWith("商品编码,尺码"));
    EXPECT_EQ(first[2].toStdString(), "00123,,,,12.00");
    EXPECT_TRUE(second.last().startsWith(QString("%1,").arg(69999 + 123, 5, 10, QChar('0')))) << second.last().toStdString();
}

// A spreadsheet opening the HTML file keeps codes and formula-like text as text.
TEST(ExportWriters, HtmlTextCellsStayTextInASpreadsheet) {
    if (!OfficeRoundTrip::available()) GTEST_SKIP() << "LibreOffice is not installed";
    const QStringList sheets =
        OfficeRoundTrip().convert(exportwriters::Format::Html, FormattedTable(), kCsvAllSheets, "calc_HTML_WebQuery");
    ASSERT_EQ(sheets.size(), 1);
    const QStringList lines = sheets[0].split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 5) << sheets[0].toStdString();
    EXPECT_TRUE(lines[0].startsWith("商品编码,尺码,,,零售价")) << lines[0].toStdString();
    EXPECT_TRUE(lines[2].startsWith("00123,")) << lines[2].toStdString();
    EXPECT_TRUE(lines[3].startsWith("=1+2,")) << lines[3].toStdString();
}

// Many rows: the stream spans many sectors and the FAT more than one sector.
class LargeTable : public ExportSource {
public:
    int columnCount() const override { return 4; }
    QString title(int c) const override { return QString("列%1").arg(c); }
    int rowCount() const override { return 20000; }
    QVariant value(int r, int c) const override { return c == 0 ? QVariant(QString("商品%1").arg(r)) : QVariant(r * 1.5 + c); }
};

TEST(ExportWriters, LargeWorkbookStaysAValidCompoundFile) {
    const QByteArray xls = written(exportwriters::Format::Excel, LargeTable());
    const quint32 fatSectors = qFromLittleEndian<quint32>(xls.constData() + 44);
    EXPECT_GT(fatSectors, 1u);
    EXPECT_EQ(xls.size() % 512, 0);
}

TEST(ExportWriters, ExtensionIsAppendedUnlessAlreadyThere) {
    using exportwriters::Format;
    const struct {
        const char* name;
        Format format;
        const char* result;
    } cases[] = {{"list", Format::Excel, "list.xls"},     {"list.csv", Format::Csv, "list.csv"},
                 {"list.csv", Format::Excel, "list.csv.xls"}, {"LIST.XLS", Format::Excel, "LIST.XLS"},
                 {"a.htm", Format::Html, "a.htm"},       {"a.html", Format::Html, "a.html.htm"},
                 {"b", Format::Rtf, "b.rtf"},            {"c.TXT", Format::Text, "c.TXT"}};
    for (const auto& c : cases) EXPECT_EQ(exportwriters::withExtension(c.name, c.format).toStdString(), c.result);
}

class ExportGridTest : public testing::Test {
protected:
    QTemporaryDir dir;
    ScriptedPrompter prompter;
    SmallTable table;
    QList<bool> refreshing;
    bool run() { return ExportGrid(table, prompter, [this](bool on) { refreshing.append(on); }); }
};

TEST_F(ExportGridTest, CancelledDialogWritesNothing) {
    prompter.answerFile(std::nullopt);
    EXPECT_FALSE(run());
    EXPECT_EQ(prompter.messages, QStringList{"取消数据导出"});
    EXPECT_TRUE(refreshing.isEmpty());
}

TEST_F(ExportGridTest, WritesTheChosenFormatUnderTheExtensionRule) {
    prompter.answerFile(Prompter::FileChoice{dir.path() + "/list", 1});
    EXPECT_TRUE(run());
    EXPECT_TRUE(QFile::exists(dir.path() + "/list.csv"));
    EXPECT_EQ(prompter.waitTexts, QStringList{"正在进行数据导出，请等待...."});
    EXPECT_EQ(prompter.waitBoxesShown, 0);
    EXPECT_EQ(refreshing, (QList<bool>{false, true}));
    EXPECT_EQ(exportFilters().size(), 9);
}

TEST_F(ExportGridTest, FormatsThatWriteNothingSaySo) {
    for (int filter = 5; filter <= 8; ++filter) {
        prompter.answerFile(Prompter::FileChoice{dir.path() + "/list", filter});
        EXPECT_TRUE(run());
    }
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
    ASSERT_EQ(prompter.messages.size(), 4);
    EXPECT_TRUE(prompter.messages[0].startsWith("Paradox 格式不能导出")) << prompter.messages[0].toStdString();
    EXPECT_TRUE(prompter.messages[3].startsWith("文本数据库不能导出"));
    EXPECT_EQ(prompter.waitBoxesShown, 0);
}

TEST_F(ExportGridTest, UnwritablePathFailsWithTheBoxHiddenAndRefreshingRestored) {
    prompter.answerFile(Prompter::FileChoice{dir.path() + "/no/such/folder/list", 0});
    EXPECT_FALSE(run());
    EXPECT_EQ(prompter.messages, QStringList{"数据导出失败!"});
    EXPECT_EQ(prompter.waitBoxesShown, 0);
    EXPECT_EQ(refreshing, (QList<bool>{false, true}));
}

}  // namespace
