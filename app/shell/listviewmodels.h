#pragma once

#include "WinLib/listview.h"
#include "app/model/sorter.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

class Outline;
class StudyList;
class TermSet;

// The study list's columns: "#", the item type, one per field, "Comment", the three scores and "Due". Widths
// that the user sets last for the program's run; a field's width follows the field's name. The number
// columns are at least as wide as their largest numbers.
class StudyListOutlineModel : public Win::ListViewLayoutModel {
public:
    explicit StudyListOutlineModel(const Outline& outline);

    unsigned getColumnsCount() const override;
    std::string getColumnTitle(unsigned column) const override;
    int getColumnWidth(unsigned column) const override;
    void setColumnWidth(unsigned column, int width) override;
    bool hasUserWidth(unsigned column) const override;
    std::string getWidestCell(unsigned column) const override;
    // How a click on the column's heading sorts the items.
    Sorter getSortKey(unsigned column) const;

private:
    static constexpr int FieldWidth = 130;
    // The columns before and after the fields.
    static constexpr unsigned LeadingCount = 2;
    static constexpr unsigned TrailingCount = 5;

    void checkColumn(unsigned column) const;
    unsigned getDefCount() const;
    // Where the user's width of the column is kept: in the leading or trailing widths, or in the field's
    // entry of the field widths, made when absent.
    std::optional<int>& userWidth(unsigned column);
    const std::optional<int>* findUserWidth(unsigned column) const;

    const Outline& _outline;
    std::vector<std::optional<int>> _leadingWidths = std::vector<std::optional<int>>(LeadingCount);
    std::map<std::string, std::optional<int>> _fieldWidths;
    std::vector<std::optional<int>> _trailingWidths = std::vector<std::optional<int>>(TrailingCount);
};

// The study list's rows, one per item in document order.
class StudyListDataModel : public Win::ListViewDataModel {
public:
    class StudyItem : public Win::ListViewItem {
    public:
        StudyItem(const TermSet& termSet, const Outline& outline) : _termSet(&termSet), _outline(&outline) {}

        std::string getText(unsigned column, const std::string& columnTitle) const override;

    private:
        const TermSet* _termSet;
        const Outline* _outline;
    };

    explicit StudyListDataModel(StudyList& studyList) : _studyList(studyList) {}

    unsigned getItemsCount() const override;
    const Win::ListViewItem& getItem(unsigned row) override;
    bool isSelected(unsigned row) const override;
    void setSelection(const std::vector<int>& rows) override;

private:
    StudyList& _studyList;
    std::optional<StudyItem> _item;
};
