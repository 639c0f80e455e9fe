#include "grid/exportgrid.h"
#include "grid/exportwriters.h"
#include "support/scriptedprompter.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
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
              "\xEF\xBB\xBF商品编码,当前库存|数量,备注\r\n"
              "XZ001,12.5,\"运动鞋, \"\"大号\"\"\"\r\n"
              "XZ002,,2004-03-05\r\n");
}

TEST(ExportWriters, TextIsTabSeparatedUtf8) {
    EXPECT_EQ(QString::fromUtf8(written(exportwriters::Format::Text)).toStdString(),
              "商品编码\t当前库存|数量\t备注\nXZ001\t12.5\t运动鞋, \"大号\"\nXZ002\t\t2004-03-05\n");
}

TEST(ExportWriters, HtmlIsAnEscapedUtf8Table) {
    const QString html = QString::fromUtf8(written(exportwriters::Format::Html));
    EXPECT_TRUE(html.contains("<meta charset=\"utf-8\">"));
    EXPECT_TRUE(html.contains("<th>当前库存|数量</th>"));
    EXPECT_TRUE(html.contains("<td>运动鞋, &quot;大号&quot;</td>"));
    EXPECT_TRUE(html.contains("<td align=\"right\">12.5</td>"));
    EXPECT_EQ(html.count("<tr>"), 3);
}

TEST(ExportWriters, RtfIsATableWithChineseAsUnicodeEscapes) {
    const QByteArray rtf = written(exportwriters::Format::Rtf);
    EXPECT_TRUE(rtf.startsWith("{\\rtf1"));
    EXPECT_TRUE(rtf.contains("\\u21830?\\u21697?"));  // 商品
    EXPECT_EQ(rtf.count("\\row"), 3);
    for (const char c : rtf) EXPECT_GE(static_cast<unsigned char>(c), 0) << "plain ASCII only";
    EXPECT_FALSE(rtf.contains("运动"));
}

TEST(ExportWriters, ExcelIsACompoundFileWorkbook) {
    const QByteArray xls = written(exportwriters::Format::Excel);
    EXPECT_TRUE(xls.startsWith(QByteArray::fromHex("D0CF11E0A1B11AE1")));
    EXPECT_EQ(xls.size() % 512, 0);
    EXPECT_TRUE(xls.contains(QByteArray::fromHex("57006F0072006B0062006F006F006B00")));  // "Workbook"
}

// LibreOffice reads the workbook back: the right cells, numbers as numbers,
// Chinese intact. Skipped where LibreOffice is not installed.
TEST(ExportWriters, LibreOfficeReadsTheWorkbookBack) {
    const QString office = QStandardPaths::findExecutable("libreoffice");
    if (office.isEmpty()) GTEST_SKIP() << "LibreOffice is not installed";
    QTemporaryDir dir;
    QFile file(dir.path() + "/list.xls");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(written(exportwriters::Format::Excel));
    file.close();
    QProcess lo;
    lo.setWorkingDirectory(dir.path());
    lo.start(office, {"-env:UserInstallation=file://" + dir.path() + "/profile", "--headless", "--convert-to",
                      "csv:Text - txt - csv (StarCalc):44,34,76", "list.xls"});
    ASSERT_TRUE(lo.waitForFinished(120000));
    QFile csv(dir.path() + "/list.csv");
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly)) << lo.readAllStandardError().toStdString();
    EXPECT_EQ(QString::fromUtf8(csv.readAll()).toStdString(),
              "商品编码,当前库存|数量,备注\n"
              "XZ001,12.5,\"运动鞋, \"\"大号\"\"\"\n"
              "XZ002,,2004-03-05\n");
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

TEST_F(ExportGridTest, FormatsThatWriteNothingStillSucceed) {
    prompter.answerFile(Prompter::FileChoice{dir.path() + "/list", 6});
    EXPECT_TRUE(run());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
    EXPECT_TRUE(prompter.messages.isEmpty());
}

TEST_F(ExportGridTest, UnwritablePathFailsWithTheBoxHiddenAndRefreshingRestored) {
    prompter.answerFile(Prompter::FileChoice{dir.path() + "/no/such/folder/list", 0});
    EXPECT_FALSE(run());
    EXPECT_EQ(prompter.messages, QStringList{"数据导出失败!"});
    EXPECT_EQ(prompter.waitBoxesShown, 0);
    EXPECT_EQ(refreshing, (QList<bool>{false, true}));
}

}  // namespace
