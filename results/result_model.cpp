#include "results/result_model.h"

#include <QMimeData>
#include <algorithm>

#include "results/row_export.h"

namespace {
constexpr std::size_t kLongestKept = 12;

QString ToDisplay(std::string_view bytes) {
    // Names that are not valid UTF-8 show replacement characters; the row keeps the bytes.
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// The next code point of UTF-8 text; a byte that starts none stands for the replacement
// character it is shown as.
char32_t NextCodePoint(std::string_view s, std::size_t& i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char lead = byte(i++);
    const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    if (lead < 0x80 || extra == 0) return lead < 0x80 ? lead : 0xFFFD;
    char32_t c = lead & (0x3F >> extra);
    for (int k = 0; k < extra; ++k) {
        if (i >= s.size() || (byte(i) & 0xC0) != 0x80) return 0xFFFD;
        c = (c << 6) | (byte(i++) & 0x3F);
    }
    return c;
}
} // namespace

ResultModel::ResultModel(QObject* parent) : QAbstractTableModel(parent) { asciiWidths_.fill(1); }

void ResultModel::SetColumns(std::vector<ColumnSpec> columns) {
    beginResetModel();
    table_.rows.clear();
    table_.rows.shrink_to_fit();
    table_.columns = std::move(columns);
    glyphs_.assign(table_.columns.size(), QIcon());
    longest_.assign(table_.columns.size(), {});
    endResetModel();
}

void ResultModel::ClearRows() {
    if (table_.rows.empty()) return;
    beginResetModel();
    table_.rows.clear();
    table_.rows.shrink_to_fit();
    longest_.assign(table_.columns.size(), {});
    endResetModel();
}

void ResultModel::RemoveColumns() { SetColumns({}); }

void ResultModel::AppendRows(std::vector<ResultRow>&& rows) {
    if (rows.empty()) return;
    const int first = static_cast<int>(table_.rows.size());
    beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
    for (ResultRow& r : rows) {
        RememberCells(r);
        table_.rows.push_back(std::move(r));
    }
    endInsertRows();
}

void ResultModel::RememberCells(const ResultRow& row) {
    // Compact rows make their texts on demand: one buffer for all of them.
    std::string cell;
    for (std::size_t c = 0; c < row.CellCount() && c < longest_.size(); ++c) {
        cell.clear();
        row.AppendCell(c, cell);
        Remember(static_cast<int>(c), cell);
    }
}

void ResultModel::SetMeasureFont(const QFont& font) {
    metrics_.emplace(font);
    for (char32_t c = 0; c < asciiWidths_.size(); ++c)
        asciiWidths_[c] = metrics_->horizontalAdvance(QString::fromUcs4(&c, 1));
    otherWidths_.clear();
    RebuildLongest();
}

int ResultModel::CharWidth(char32_t c) {
    if (!metrics_) return 1;
    if (c < asciiWidths_.size()) return asciiWidths_[c];
    const auto [it, added] = otherWidths_.try_emplace(c, 0);
    if (added) it->second = metrics_->horizontalAdvance(QString::fromUcs4(&c, 1));
    return it->second;
}

int ResultModel::EstimatedWidth(std::string_view text) {
    // Paths are mostly ASCII: those characters come straight from the table.
    int width = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < asciiWidths_.size()) {
            width += asciiWidths_[byte];
            ++i;
        } else {
            width += CharWidth(NextCodePoint(text, i));
        }
    }
    return width;
}

void ResultModel::Remember(int column, std::string_view cell) {
    auto& kept = longest_[column];
    const int width = EstimatedWidth(cell);
    if (kept.size() == kLongestKept && width <= kept.back().width) return;
    const auto pos = std::find_if(kept.begin(), kept.end(), [&](const Kept& k) { return k.width < width; });
    kept.insert(pos, Kept{width, std::string(cell)});
    if (kept.size() > kLongestKept) kept.pop_back();
}

void ResultModel::RebuildLongest() {
    longest_.assign(table_.columns.size(), {});
    for (const ResultRow& r : table_.rows) RememberCells(r);
}

void ResultModel::RowsReordered() {
    Q_EMIT layoutAboutToBeChanged();
    Q_EMIT layoutChanged();
    Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

void ResultModel::SetHeaderGlyph(int column, const QIcon& glyph) {
    if (column < 0 || column >= static_cast<int>(glyphs_.size())) return;
    glyphs_[column] = glyph;
    Q_EMIT headerDataChanged(Qt::Horizontal, column, column);
}

void ResultModel::SetHeaderCaption(int column, const std::string& caption) {
    if (column < 0 || column >= static_cast<int>(table_.columns.size())) return;
    table_.columns[column].caption = caption;
    Q_EMIT headerDataChanged(Qt::Horizontal, column, column);
}

std::vector<QString> ResultModel::WidestCandidates(int column) const {
    std::vector<QString> out;
    if (column < 0 || column >= static_cast<int>(longest_.size())) return out;
    for (const Kept& k : longest_[column]) out.push_back(ToDisplay(k.text));
    return out;
}

int ResultModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(table_.rows.size());
}

int ResultModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(table_.columns.size());
}

QVariant ResultModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    if (role == Qt::DisplayRole)
        return ToDisplay(table_.rows[index.row()].Cell(static_cast<std::size_t>(index.column())));
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignVCenter |
                                   (table_.columns[index.column()].alignRight ? Qt::AlignRight : Qt::AlignLeft));
    return {};
}

QVariant ResultModel::headerData(int section, Qt::Orientation o, int role) const {
    if (o != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
    const ColumnSpec& c = table_.columns[section];
    if (role == Qt::DisplayRole) return ToDisplay(c.caption);
    if (role == Qt::DecorationRole && !glyphs_[section].isNull()) return glyphs_[section];
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignVCenter | (c.alignRight ? Qt::AlignRight : Qt::AlignLeft));
    return {};
}

Qt::ItemFlags ResultModel::flags(const QModelIndex& index) const {
    return QAbstractTableModel::flags(index) | (index.isValid() ? Qt::ItemIsDragEnabled : Qt::NoItemFlags);
}

QStringList ResultModel::mimeTypes() const {
    return {QStringLiteral("text/uri-list"), QStringLiteral("text/plain")};
}

QMimeData* ResultModel::mimeData(const QModelIndexList& indexes) const {
    std::vector<std::size_t> rows;
    for (const QModelIndex& index : indexes)
        if (index.isValid())
            rows.push_back(static_cast<std::size_t>(index.row()));
    auto* data = new QMimeData; // the drag takes it over
    data->setData(QStringLiteral("text/uri-list"), QByteArray::fromStdString(RowUriList(table_, rows)));
    data->setText(ToDisplay(RowPaths(table_, rows)));
    return data;
}
