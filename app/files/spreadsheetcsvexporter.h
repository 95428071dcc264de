#pragma once

#include "exporter.h"

// A comma-separated table for spreadsheets: UTF-8 with a byte-order mark, a header row of the
// outline's names and "Comment", then one row per item, every row ended by CR LF; cells are quoted
// where needed (appendSpreadsheetCell). The text import reads it back to the same items.
class SpreadsheetCSVExporter : public Exporter {
public:
    using Exporter::Exporter;
    void exportTo(std::ostream& out) const override;
};
