#pragma once

#include "documentsections.h"
#include "itemselection.h"
#include "outline.h"
#include "reviewlog.h"
#include "reviewsettings.h"
#include "setting.h"
#include "sorter.h"
#include "termset.h"

#include <string>
#include <utility>
#include <vector>

// The document: outline, items in display order, selection, session settings, file name,
// modified flag and the recently used document paths.
class StudyList {
public:
    static constexpr int MaxRecentDocs = 10;
    static constexpr int MaxTermSetCount = 999999;

    StudyList();
    // Copies are documents of their own: items refer to the copy's outline; the selection and
    // the recent documents stay behind, as in assignment.
    StudyList(const StudyList& other);
    StudyList(StudyList&& other);
    // Clears the selection and takes over outline, items, settings, sections, modified flag and file name;
    // keeps this list's recent documents.
    StudyList& operator=(const StudyList& other);
    StudyList& operator=(StudyList&& other) noexcept;

    int getTermSetCount() const { return static_cast<int>(_termSets.size()); }
    TermSet& getTermSet(std::size_t idx);
    const TermSet& getTermSet(std::size_t idx) const;
    void addTermSet(const TermSet& termSet);
    void removeSelected();
    const TermSet& getSelectedTermSet() const;
    void setSelectedTermSet(const TermSet& termSet);

    void select(int idx) { _selection.select(idx); }
    void deselect(int idx) { _selection.deselect(idx); }
    void selectAll() { _selection.selectAll(getTermSetCount()); }
    void clearSelection() { _selection.clear(); }
    bool isSelected(int idx) const { return _selection.isSelected(idx); }
    bool hasSelection() const { return !_selection.isEmpty(); }
    int getSelectionCount() const { return _selection.getCount(); }
    std::vector<int> getSelection() const { return _selection.getIndices(); }

    const Outline& getOutline() const { return _outline; }
    void setOutline(const Outline& outline);
    Setting& getSettings() { return _settings; }
    const Setting& getSettings() const { return _settings; }

    void resetScores();

    // The review schedule: each item's own state lives in the item.
    const ReviewSettings& getReviewSettings() const { return _reviewSettings; }
    // Like the session settings, replacing them leaves the modified flag to the caller.
    void setReviewSettings(const ReviewSettings& settings) { _reviewSettings = settings; }
    const ReviewLog& getReviewLog() const { return _reviewLog; }
    void setReviewLog(ReviewLog log) { _reviewLog = std::move(log); }
    // The item's schedule moves on by the grade and the review log gains the review.
    void reviewItem(std::size_t idx, UtcTime now, Grade grade);
    // The items become new again; their earlier reviews stay in the log.
    void forgetSchedule(const std::vector<int>& indices);
    void setModified() { _modified = true; }
    bool isModified() const { return _modified; }
    const std::string& getFileName() const { return _fileName; }
    void setFileName(const std::string& fileName) { _fileName = fileName; }
    void clear();

    // Sorts ascending by the sorter, stably; when the items already are in that order, sorts
    // them descending instead (equal keys keep their relative order either way; items without a
    // value stay last when the sorter keeps them there).
    void sort(Sorter sorter);

    std::vector<std::string> getRecentDocs() const { return _recentDocs; }
    void addRecentDoc(const std::string& path);
    void clearRecentDocs() { _recentDocs.clear(); }

    void serialize(Win::IO::Serializer& out);
    void deserialize(Win::IO::DeSerializer& in);

    // The sections of its file this program does not know (DocumentSections), for saving.
    const std::vector<StoredSection>& getUnknownSections() const { return _unknownSections; }
    void setUnknownSections(std::vector<StoredSection> sections) { _unknownSections = std::move(sections); }

private:
    ItemSelection _selection;
    Outline _outline;
    // The field values of the items read from a file, declared ahead of the items, which refer to
    // it until they are gone. Items that leave the list are copies, which own their values.
    FieldValues::Store _store;
    std::vector<TermSet> _termSets;
    Setting _settings;
    ReviewSettings _reviewSettings;
    ReviewLog _reviewLog;
    std::vector<StoredSection> _unknownSections;
    std::string _fileName;
    bool _modified = false;
    std::vector<std::string> _recentDocs;
};
