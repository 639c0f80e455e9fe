// A shipped document template printed over a window's cursors and read back
// as text: the check that the page names what the document holds.
#pragma once

#include "reports/forms/templateprinting.h"
#include "reports/reporttemplate.h"
#include "support/printedtext.h"

#include <gtest/gtest.h>

// The template `name` under reports/ prints exactly one page, and that page
// holds every text given.
inline void expectPrintedPageHolds(const QString& name, const reports::DataSources& sources,
                                   std::initializer_list<const char*> texts) {
    const auto report = reports::loadTemplate(QString(QUORVEL_SOURCE_DIR) + "/reports/" + name);
    ASSERT_TRUE(report) << name.toStdString();
    const QStringList printed = printedPages(TemplateDocument(reports::ReportEngine(*report, sources).prepare()));
    ASSERT_EQ(printed.size(), 1);
    for (const char* text : texts) EXPECT_TRUE(printed[0].contains(text)) << text << "\n" << printed[0].toStdString();
}
