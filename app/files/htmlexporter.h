#pragma once

#include "exporter.h"

// A complete HTML page holding one table: the outline's names and "Comment" as the header row,
// then one row per item; every text is escaped.
class HtmlExporter : public Exporter {
public:
    using Exporter::Exporter;
    void exportTo(std::ostream& out) const override;
};
