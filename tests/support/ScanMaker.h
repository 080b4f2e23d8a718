#pragma once
// Scanned copies of PDFs for tests and benchmarks: each page rendered by poppler in grey and
// wrapped as a page that holds nothing but that picture, as a scanner would make it.
#include "tests/support/PdfMaker.h"

#include <string>
#include <vector>

namespace testpdf {

// The pages of the PDF as scans at the resolution, each turned clockwise by quarterTurns
// (a page fed sideways or upside down) and then by skewDegrees (fed askew). Empty when
// poppler cannot read the bytes.
std::vector<Page> scannedPages(const std::string& pdf, double dpi = 300, int quarterTurns = 0, double skewDegrees = 0);

} // namespace testpdf
