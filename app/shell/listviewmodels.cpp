#include "listviewmodels.h"

#include "WinLib/assertion.h"
#include "WinLib/localtimetext.h"
#include "app/model/lorvant.h"

#include <limits>
#include <sstream>

namespace {

// A number as a decimal text stream writes it.
std::string decimal(int number, const char* suffix = "") {
    std::ostringstream text;
    text << number << suffix;
    return text ? text.str() : "ERROR";
}

} // namespace

StudyListOutlineModel::StudyListOutlineModel(const Outline& outline) : _outline(outline) {}

unsigned StudyListOutlineModel::getDefCount() const {
    return static_cast<unsigned>(_outline.getDefCount());
}

unsigned StudyListOutlineModel::getColumnsCount() const {
    return LeadingCount + getDefCount() + TrailingCount;
}

void StudyListOutlineModel::checkColumn(unsigned column) const {
    WIN_ASSERT(column < getColumnsCount(), "colIdx<getColumnsCount()");
}

std::string StudyListOutlineModel::getColumnTitle(unsigned column) const {
    checkColumn(column);
    static const char* const trailingTitles[TrailingCount] = {"Comment", "Times Asked", "Correct Answers",
                                                              "Ratio", "Due"};
    if (column == 0)
        return "#";
    if (column == 1)
        return _outline.getItemType();
    if (column < LeadingCount + getDefCount())
        return _outline.getDef(static_cast<int>(column - LeadingCount));
    return trailingTitles[column - LeadingCount - getDefCount()];
}

const std::optional<int>* StudyListOutlineModel::findUserWidth(unsigned column) const {
    checkColumn(column);
    if (column < LeadingCount)
        return &_leadingWidths[column];
    if (column < LeadingCount + getDefCount()) {
        auto found = _fieldWidths.find(_outline.getDef(static_cast<int>(column - LeadingCount)));
        return found == _fieldWidths.end() ? nullptr : &found->second;
    }
    return &_trailingWidths[column - LeadingCount - getDefCount()];
}

std::optional<int>& StudyListOutlineModel::userWidth(unsigned column) {
    checkColumn(column);
    if (column < LeadingCount)
        return _leadingWidths[column];
    if (column < LeadingCount + getDefCount())
        return _fieldWidths[_outline.getDef(static_cast<int>(column - LeadingCount))];
    return _trailingWidths[column - LeadingCount - getDefCount()];
}

int StudyListOutlineModel::getColumnWidth(unsigned column) const {
    static const int leadingWidths[LeadingCount] = {19, 120};
    static const int trailingWidths[TrailingCount] = {116, 75, 90, 38, 110};
    const std::optional<int>* width = findUserWidth(column);
    if (width != nullptr && width->has_value())
        return **width;
    if (column < LeadingCount)
        return leadingWidths[column];
    if (column < LeadingCount + getDefCount())
        return FieldWidth;
    return trailingWidths[column - LeadingCount - getDefCount()];
}

void StudyListOutlineModel::setColumnWidth(unsigned column, int width) {
    userWidth(column) = width;
}

bool StudyListOutlineModel::hasUserWidth(unsigned column) const {
    const std::optional<int>* width = findUserWidth(column);
    return width != nullptr && width->has_value();
}

std::string StudyListOutlineModel::getWidestCell(unsigned column) const {
    checkColumn(column);
    if (column == 0)
        return decimal(StudyList::MaxTermSetCount);
    if (column < LeadingCount + getDefCount())
        return std::string();
    switch (column - LeadingCount - getDefCount()) {
    case 1:
    case 2:
        return decimal(std::numeric_limits<int>::max());
    case 3:
        return decimal(100, " %");
    case 4:
        // Two-digit day, month and hour in any time zone: 2026-12-25 22:58 UTC.
        return Win::localDateTimeText(1798239480);
    default:
        return std::string();
    }
}

Sorter StudyListOutlineModel::getSortKey(unsigned column) const {
    checkColumn(column);
    return Sorter::forColumn(static_cast<int>(column), _outline.getDefCount());
}

std::string StudyListDataModel::StudyItem::getText(unsigned column, const std::string&) const {
    const unsigned defCount = static_cast<unsigned>(_outline->getDefCount());
    if (column == 0)
        return decimal(_termSet->getNumber());
    if (column == 1)
        return std::string(_termSet->getTerm());
    if (column < 2 + defCount)
        return _termSet->getField(static_cast<int>(column - 2));
    switch (column - 2 - defCount) {
    case 0:
        return std::string(_termSet->getComment());
    case 1:
        return decimal(_termSet->getTimesAsked());
    case 2:
        return decimal(_termSet->getCorrectAnswers());
    case 3:
        return decimal(_termSet->getRatio(), " %");
    default: {
        const ItemSchedule& schedule = _termSet->getSchedule();
        return schedule.isNew() ? "New" : Win::localDateTimeText(schedule.due);
    }
    }
}

unsigned StudyListDataModel::getItemsCount() const {
    return static_cast<unsigned>(_studyList.getTermSetCount());
}

const Win::ListViewItem& StudyListDataModel::getItem(unsigned row) {
    WIN_ASSERT(row < getItemsCount(), "idx<getItemsCount()");
    _item.emplace(_studyList.getTermSet(row), _studyList.getOutline());
    return *_item;
}

bool StudyListDataModel::isSelected(unsigned row) const {
    return _studyList.isSelected(static_cast<int>(row));
}

void StudyListDataModel::setSelection(const std::vector<int>& rows) {
    _studyList.clearSelection();
    for (const int row : rows)
        _studyList.select(row);
}
