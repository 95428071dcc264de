#pragma once

#include "exporter.h"

// A tab-delimited table: a header line of the outline's names and "Comment", then one line per
// item; CR LF between lines, none after the last, texts written as they are.
class CSVExporter : public Exporter {
public:
    using Exporter::Exporter;
    void exportTo(std::ostream& out) const override;
};
