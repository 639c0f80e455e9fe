#include "reports/reporttemplate.h"

#include <QFile>
#include <QSaveFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <optional>

namespace reports {
namespace {

const QList<QPair<BandType, QString>> kBandNames = {
    {BandType::ReportTitle, "reportTitle"}, {BandType::PageHeader, "pageHeader"},
    {BandType::ColumnHeader, "columnHeader"}, {BandType::MasterData, "masterData"},
    {BandType::Summary, "summary"},         {BandType::PageFooter, "pageFooter"}};

std::optional<BandType> bandType(const QString& name) {
    for (const auto& [type, text] : kBandNames)
        if (text == name) return type;
    return std::nullopt;
}

QString alignName(Qt::Alignment a) {
    if (a & Qt::AlignHCenter) return "center";
    if (a & Qt::AlignRight) return "right";
    return "left";
}

Qt::Alignment alignFrom(const QString& name) {
    if (name == "center") return Qt::AlignHCenter;
    if (name == "right") return Qt::AlignRight;
    return Qt::AlignLeft;
}

double number(const QXmlStreamAttributes& a, const char* name, double fallback, bool* ok) {
    if (!a.hasAttribute(name)) return fallback;
    bool good = false;
    const double v = a.value(name).toDouble(&good);
    if (!good) *ok = false;
    return good ? v : fallback;
}

}  // namespace

QString bandTypeName(BandType type) {
    for (const auto& [t, text] : kBandNames)
        if (t == type) return text;
    return {};
}

QPageLayout PageSetup::layout() const {
    QPageSize::PageSizeId id = QPageSize::A4;
    if (paper == "A5") id = QPageSize::A5;
    else if (paper == "B5") id = QPageSize::B5;
    else if (paper == "Letter") id = QPageSize::Letter;
    return QPageLayout(QPageSize(id), landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
}

QSizeF PageSetup::sizeMm() const { return layout().fullRect(QPageLayout::Millimeter).size(); }

Band* ReportTemplate::band(BandType type) {
    for (Band& b : bands)
        if (b.type == type) return &b;
    return nullptr;
}

const Band* ReportTemplate::band(BandType type) const { return const_cast<ReportTemplate*>(this)->band(type); }

std::optional<ReportTemplate> parseTemplate(const QByteArray& xml) {
    QXmlStreamReader r(xml);
    ReportTemplate report;
    bool ok = true;
    while (!r.atEnd() && r.readNext() != QXmlStreamReader::StartElement)
        if (r.isComment() && report.notes.isEmpty()) report.notes = r.text().toString().trimmed();
    if (!r.isStartElement() || r.name() != u"report") return std::nullopt;
    if (r.attributes().value("version").toInt() != ReportTemplate::kVersion) return std::nullopt;
    report.title = r.attributes().value("title").toString();
    while (ok && r.readNextStartElement()) {
        const QXmlStreamAttributes a = r.attributes();
        if (r.name() == u"page") {
            report.page.paper = a.value("paper").toString().isEmpty() ? "A4" : a.value("paper").toString();
            report.page.landscape = a.value("orientation") == u"landscape";
            report.page.left = number(a, "left", 10, &ok);
            report.page.top = number(a, "top", 10, &ok);
            report.page.right = number(a, "right", 10, &ok);
            report.page.bottom = number(a, "bottom", 10, &ok);
            r.skipCurrentElement();
        } else if (r.name() == u"band") {
            const auto type = bandType(a.value("type").toString());
            if (!type) return std::nullopt;
            Band band;
            band.type = *type;
            band.height = number(a, "height", 10, &ok);
            while (ok && r.readNextStartElement()) {
                const QXmlStreamAttributes o = r.attributes();
                ReportObject object;
                const QStringView name = r.name();
                if (name == u"line") {
                    object.kind = ReportObject::Kind::Line;
                    object.rect = QRectF(QPointF(number(o, "x1", 0, &ok), number(o, "y1", 0, &ok)),
                                         QPointF(number(o, "x2", 0, &ok), number(o, "y2", 0, &ok)));
                } else {
                    if (name == u"text") object.kind = ReportObject::Kind::Text;
                    else if (name == u"rect") object.kind = ReportObject::Kind::Rect;
                    else if (name == u"image") object.kind = ReportObject::Kind::Image;
                    else return std::nullopt;
                    object.rect = QRectF(number(o, "x", 0, &ok), number(o, "y", 0, &ok), number(o, "w", 10, &ok),
                                         number(o, "h", 5, &ok));
                }
                object.lineWidth = number(o, "width", 0.2, &ok);
                object.format = o.value("format").toString();
                if (o.hasAttribute("font")) object.font = o.value("font").toString();
                object.size = number(o, "size", 10, &ok);
                object.bold = o.value("bold") == u"1";
                object.align = alignFrom(o.value("align").toString());
                object.wrap = o.value("wrap") == u"1";
                object.frame = o.value("frame").toString();
                object.showIf = o.value("showIf").toString();
                if (object.kind == ReportObject::Kind::Image) {
                    object.text = o.value("file").toString();
                    r.skipCurrentElement();
                } else if (object.kind == ReportObject::Kind::Text) {
                    object.text = r.readElementText();
                } else {
                    r.skipCurrentElement();
                }
                band.objects.append(object);
            }
            report.bands.append(band);
        } else {
            return std::nullopt;
        }
    }
    if (!ok || r.hasError()) return std::nullopt;
    return report;
}

std::optional<ReportTemplate> loadTemplate(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    return parseTemplate(file.readAll());
}

QByteArray toXml(const ReportTemplate& report) {
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.setAutoFormatting(true);
    w.writeStartDocument();
    if (!report.notes.isEmpty()) w.writeComment("\n" + report.notes + "\n");
    w.writeStartElement("report");
    w.writeAttribute("version", QString::number(ReportTemplate::kVersion));
    w.writeAttribute("title", report.title);
    w.writeEmptyElement("page");
    w.writeAttribute("paper", report.page.paper);
    w.writeAttribute("orientation", report.page.landscape ? "landscape" : "portrait");
    for (const auto& [name, v] : {std::pair{"left", report.page.left}, std::pair{"top", report.page.top},
                                  std::pair{"right", report.page.right}, std::pair{"bottom", report.page.bottom}})
        w.writeAttribute(name, QString::number(v));
    for (const Band& band : report.bands) {
        w.writeStartElement("band");
        w.writeAttribute("type", bandTypeName(band.type));
        w.writeAttribute("height", QString::number(band.height));
        for (const ReportObject& o : band.objects) {
            static const char* const kinds[] = {"text", "line", "rect", "image"};
            w.writeStartElement(kinds[int(o.kind)]);
            if (o.kind == ReportObject::Kind::Line) {
                w.writeAttribute("x1", QString::number(o.rect.left()));
                w.writeAttribute("y1", QString::number(o.rect.top()));
                w.writeAttribute("x2", QString::number(o.rect.right()));
                w.writeAttribute("y2", QString::number(o.rect.bottom()));
            } else {
                w.writeAttribute("x", QString::number(o.rect.x()));
                w.writeAttribute("y", QString::number(o.rect.y()));
                w.writeAttribute("w", QString::number(o.rect.width()));
                w.writeAttribute("h", QString::number(o.rect.height()));
            }
            if (o.kind != ReportObject::Kind::Text) {
                w.writeAttribute("width", QString::number(o.lineWidth));
                if (o.kind == ReportObject::Kind::Image) w.writeAttribute("file", o.text);
            } else {
                w.writeAttribute("font", o.font);
                w.writeAttribute("size", QString::number(o.size));
                if (o.bold) w.writeAttribute("bold", "1");
                w.writeAttribute("align", alignName(o.align));
                if (o.wrap) w.writeAttribute("wrap", "1");
                if (!o.frame.isEmpty()) w.writeAttribute("frame", o.frame);
                if (!o.format.isEmpty()) w.writeAttribute("format", o.format);
            }
            if (!o.showIf.isEmpty()) w.writeAttribute("showIf", o.showIf);
            if (o.kind == ReportObject::Kind::Text) w.writeCharacters(o.text);
            w.writeEndElement();
        }
        w.writeEndElement();
    }
    w.writeEndElement();
    w.writeEndDocument();
    return out;
}

bool saveTemplate(const ReportTemplate& report, const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write(toXml(report));
    return file.commit();
}

}  // namespace reports
