// ReportTemplate: the layout of a printed document or ledger, kept in a .frf file.
//
// The file is XML (UTF-8), versioned, and starts with a comment that says
// which cursors and fields the template reads, as the window names them:
//
//   <!-- dbd: the document's lines; Spbm, spmc, ... -->
//   <report version="1" title="入库单打印">
//     <page paper="A4" orientation="portrait" left="10" top="10" right="10" bottom="10"/>
//     <band type="reportTitle|pageHeader|columnHeader|masterData|summary|pageFooter" height="12">
//       <text x="0" y="0" w="60" h="6" font="宋体" size="10" bold="1" align="left|center|right"
//             wrap="1" frame="ltrb" format="0.00;-0.00;#" showIf="System.SLY>=3">单据号: [dbm.DJHM]</text>
//       <line x1="0" y1="0" x2="190" y2="0" width="0.3"/>
//       <rect x="0" y="0" w="190" h="12"/>
//       <image x="0" y="0" w="20" h="20" file="logo.png"/>
//     </band>
//   </report>
//
// Positions and sizes are in millimetres from the band's top-left corner.
// A text holds literal text and expressions in square brackets: a field of
// the rows the report runs over or of any other cursor of the window
// ([dbd.JE], [dbm.DJHM], [System.ANAME]), a total over a cursor's rows
// ([SUM(dbd.JE)]), the page number [PAGE], the page count [PAGES], the print
// date [DATE] and the running line number [LINE]. The object's format applies
// to every number and date it shows. showIf hides an object unless a field
// compares as given (the size columns beyond the slots in use). The title is
// the print job's name and the preview's caption; paper A4, A5, B5 or Letter.
#pragma once

#include <QColor>
#include <QPageLayout>
#include <QList>
#include <QRectF>
#include <QString>

#include <optional>

namespace reports {

enum class BandType { ReportTitle, PageHeader, ColumnHeader, MasterData, Summary, PageFooter };

struct ReportObject {
    enum class Kind { Text, Line, Rect, Image } kind = Kind::Text;
    QRectF rect;            // mm; a line runs from the top-left to the bottom-right corner
    QString text;           // text: literal text with [expressions]; image: the file
    QString format;
    QString font = "宋体";
    double size = 10;       // points
    bool bold = false;
    Qt::Alignment align = Qt::AlignLeft;
    bool wrap = false;
    QString frame;          // sides framed: any of "l", "t", "r", "b"
    double lineWidth = 0.2; // mm
    QString showIf;

    bool operator==(const ReportObject&) const = default;
};

struct Band {
    BandType type = BandType::MasterData;
    double height = 10;  // mm
    QList<ReportObject> objects;

    bool operator==(const Band&) const = default;
};

struct PageSetup {
    QString paper = "A4";  // A4, A5, B5, Letter
    bool landscape = false;
    double left = 10, top = 10, right = 10, bottom = 10;  // mm

    bool operator==(const PageSetup&) const = default;
    QSizeF sizeMm() const;
    // The paper in its orientation, without margins: A4 landscape is an A4
    // sheet turned, as a printer driver expects it.
    QPageLayout layout() const;
};

struct ReportTemplate {
    static constexpr int kVersion = 1;
    QString notes;  // the comment at the top of the file
    QString title;
    PageSetup page;
    QList<Band> bands;

    Band* band(BandType type);
    const Band* band(BandType type) const;
    bool operator==(const ReportTemplate&) const = default;
};

// Reads a template file; nullopt when it is missing or cannot be read (a
// damaged template counts as a missing one).
std::optional<ReportTemplate> loadTemplate(const QString& path);
std::optional<ReportTemplate> parseTemplate(const QByteArray& xml);
QByteArray toXml(const ReportTemplate& report);
bool saveTemplate(const ReportTemplate& report, const QString& path);

QString bandTypeName(BandType type);

}  // namespace reports
