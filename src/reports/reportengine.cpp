#include "reports/reportengine.h"

#include "database/displayformat.h"
#include "database/rowset.h"

#include <QDate>
#include <QPainter>
#include <QRegularExpression>

namespace reports {

ReportEngine::ReportEngine(const ReportTemplate& report, DataSources sources)
    : report_(report), sources_(std::move(sources)) {}

const RowSet* ReportEngine::cursor(const QString& name) const {
    if (sources_.dataSet && name.compare(sources_.dataSetName, Qt::CaseInsensitive) == 0) return sources_.dataSet;
    for (auto it = sources_.cursors.constBegin(); it != sources_.cursors.constEnd(); ++it)
        if (it.key().compare(name, Qt::CaseInsensitive) == 0) return it.value();
    return nullptr;
}

QVariant ReportEngine::fieldValue(const QString& name, const QString& field, int row) const {
    const RowSet* rows = cursor(name);
    if (!rows) return {};
    const int index = rows->fieldIndex(field);
    if (index < 0) return {};
    const bool isDataSet = rows == sources_.dataSet;
    return rows->valueAt(isDataSet && row >= 0 ? row : rows->position(), index);
}

QStringList ReportEngine::unknownNames() const {
    static const QRegularExpression name(R"(([A-Za-z_]\w*)\.(\w+))");
    QStringList unknown;
    auto check = [&](const QString& text) {
        for (auto it = name.globalMatch(text); it.hasNext();) {
            const auto m = it.next();
            const RowSet* rows = cursor(m.captured(1));
            if ((!rows || rows->fieldIndex(m.captured(2)) < 0) && !unknown.contains(m.captured(0)))
                unknown.append(m.captured(0));
        }
    };
    static const QRegularExpression expression(R"(\[([^\[\]]+)\])");
    for (const Band& band : report_.bands)
        for (const ReportObject& o : band.objects) {
            if (o.kind == ReportObject::Kind::Text)
                for (auto it = expression.globalMatch(o.text); it.hasNext();) check(it.next().captured(1));
            check(o.showIf);
        }
    return unknown;
}

QString ReportEngine::evaluate(const QString& text, const QString& format, int row, int page, int pages, int line) const {
    static const QRegularExpression expression(R"(\[([^\[\]]+)\])");
    static const QRegularExpression sum(R"(^SUM\((\w+)\.(\w+)\)$)", QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression field(R"(^(\w+)\.(\w+)$)");
    QString out;
    qsizetype at = 0;
    for (auto it = expression.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        out += text.mid(at, m.capturedStart() - at);
        at = m.capturedEnd();
        const QString e = m.captured(1).trimmed();
        QVariant value;
        if (e.compare("PAGE", Qt::CaseInsensitive) == 0) value = page;
        else if (e.compare("PAGES", Qt::CaseInsensitive) == 0) value = pages;
        else if (e.compare("LINE", Qt::CaseInsensitive) == 0) value = line;
        else if (e.compare("DATE", Qt::CaseInsensitive) == 0) value = QDateTime(QDate::currentDate(), QTime(0, 0));
        else if (const auto s = sum.match(e); s.hasMatch()) {
            const RowSet* rows = cursor(s.captured(1));
            value = rows ? rows->sum(s.captured(2)) : 0.0;
        } else if (const auto f = field.match(e); f.hasMatch()) {
            value = fieldValue(f.captured(1), f.captured(2), row);
        }
        const bool counts = value.typeId() == QMetaType::Int;  // page and line numbers stay plain
        out += counts ? value.toString() : displayformat::format(value, format);
    }
    return out + text.mid(at);
}

bool ReportEngine::shown(const ReportObject& object) const {
    if (object.showIf.isEmpty()) return true;
    static const QRegularExpression condition(R"(^\s*(\w+)\.(\w+)\s*(>=|<=|=|>|<)\s*(-?[\d.]+)\s*$)");
    const auto m = condition.match(object.showIf);
    if (!m.hasMatch()) return true;
    const double v = fieldValue(m.captured(1), m.captured(2), -1).toDouble();
    const double limit = m.captured(4).toDouble();
    const QString op = m.captured(3);
    return op == ">=" ? v >= limit : op == "<=" ? v <= limit : op == ">" ? v > limit : op == "<" ? v < limit : v == limit;
}

PreparedReport ReportEngine::prepare(const std::function<bool(int)>& progress) const {
    struct Placed {
        const Band* band;
        double y;
        int row;
    };
    const QSizeF size = report_.page.sizeMm();
    const double top = report_.page.top, left = report_.page.left;
    const double bottom = size.height() - report_.page.bottom;
    const Band* footer = report_.band(BandType::PageFooter);
    const double limit = bottom - (footer ? footer->height : 0);

    // First the bands are placed, so that [PAGES] is known when the texts are made.
    QList<QList<Placed>> pages;
    double y = 0;
    bool bodyOnPage = false;  // a band bigger than a page still gets a page of its own
    auto startPage = [&] {
        pages.append(QList<Placed>());
        y = top;
        bodyOnPage = false;
        auto add = [&](BandType type) {
            if (const Band* b = report_.band(type)) {
                pages.last().append({b, y, -1});
                y += b->height;
            }
        };
        if (pages.size() == 1) add(BandType::ReportTitle);
        add(BandType::PageHeader);
        add(BandType::ColumnHeader);
    };
    auto place = [&](const Band* b, int row) {
        if (!b) return;
        if (bodyOnPage && y + b->height > limit + 1e-6) startPage();
        pages.last().append({b, y, row});
        y += b->height;
        bodyOnPage = true;
    };
    startPage();
    PreparedReport result;
    result.title = report_.title;
    result.pageLayout = report_.page.layout();
    const int rows = sources_.dataSet ? sources_.dataSet->recordCount() : 1;
    const Band* master = report_.band(BandType::MasterData);
    int reported = 0;
    for (int r = 0; r < rows; ++r) {
        place(master, sources_.dataSet ? r : -1);
        if (progress && pages.size() > reported) {
            reported = int(pages.size());
            if (!progress(reported)) {
                result.cancelled = true;
                return result;
            }
        }
    }
    place(report_.band(BandType::Summary), -1);

    const int total = int(pages.size());
    int line = 0;
    for (int p = 0; p < total; ++p) {
        QList<PreparedItem> items;
        auto emitBand = [&](const Band& band, double bandY, int row) {
            if (band.type == BandType::MasterData) ++line;
            for (const ReportObject& o : band.objects) {
                if (!shown(o)) continue;
                PreparedItem item;
                item.kind = o.kind;
                item.style = &o;
                item.mm = o.rect.translated(left, bandY);
                item.text = o.kind == ReportObject::Kind::Text ? evaluate(o.text, o.format, row, p + 1, total, line) : o.text;
                items.append(item);
            }
        };
        for (const Placed& placed : pages[p]) emitBand(*placed.band, placed.y, placed.row);
        if (footer) emitBand(*footer, bottom - footer->height, -1);
        result.pages.append(items);
    }
    return result;
}

void ReportEngine::renderPage(const PreparedReport& report, int page, QPainter& p, double ppm) {
    auto toDevice = [ppm](const QRectF& mm) { return QRectF(mm.x() * ppm, mm.y() * ppm, mm.width() * ppm, mm.height() * ppm); };
    for (const PreparedItem& item : report.pages.value(page)) {
        const ReportObject& s = *item.style;
        QPen pen(Qt::black, std::max(1.0, s.lineWidth * ppm));
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        const QRectF r = toDevice(item.mm);
        switch (item.kind) {
        case ReportObject::Kind::Line: p.drawLine(r.topLeft(), r.bottomRight()); break;
        case ReportObject::Kind::Rect: p.drawRect(r); break;
        case ReportObject::Kind::Image: {
            const QImage image(item.text);
            if (!image.isNull()) p.drawImage(r, image);
            break;
        }
        case ReportObject::Kind::Text: {
            QFont font;
            font.setFamilies({s.font, "宋体", "SimSun", "AR PL UMing CN", "Noto Serif CJK SC", "Noto Sans CJK SC"});
            font.setPixelSize(std::max(1, int(s.size * 25.4 / 72.0 * ppm)));  // points on paper
            font.setBold(s.bold);
            p.setFont(font);
            p.setPen(QPen(Qt::black, std::max(1.0, 0.2 * ppm)));
            const int flags = int(s.align) | Qt::AlignVCenter | (s.wrap ? Qt::TextWordWrap : 0);
            p.drawText(r.adjusted(0.5 * ppm, 0, -0.5 * ppm, 0), flags, item.text);
            if (s.frame.contains('l')) p.drawLine(r.topLeft(), r.bottomLeft());
            if (s.frame.contains('t')) p.drawLine(r.topLeft(), r.topRight());
            if (s.frame.contains('r')) p.drawLine(r.topRight(), r.bottomRight());
            if (s.frame.contains('b')) p.drawLine(r.bottomLeft(), r.bottomRight());
            break;
        }
        }
    }
}

int ReportEngine::find(const PreparedReport& report, const QString& text, int from) {
    for (int page = std::max(0, from); page < report.pages.size(); ++page)
        for (const PreparedItem& item : report.pages[page])
            if (item.kind == ReportObject::Kind::Text && item.text.contains(text, Qt::CaseInsensitive)) return page;
    return -1;
}

bool finishLineBeingEdited(RowSet& lines, const QString& codeField) {
    if (!lines.isEditing()) return true;
    if (lines.value(codeField).toString().trimmed().isEmpty()) {
        lines.cancel();
        return true;
    }
    return lines.post();
}

}  // namespace reports
