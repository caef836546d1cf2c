#pragma once

#include "teacher/TeacherView.h"

#include <filesystem>
#include <optional>
#include <string>

class QPainter;
class QRectF;

// The one-page A4 summary of a child's report for the teaching plan: the name, the period, the
// figures, a bar chart of the first-try-right share per day, the words and the kana the child
// confuses, in the Japanese font, which the PDF carries with it. Needs a QGuiApplication only,
// so it works without a display on the offscreen platform.
class ReportPdf
{
public:
    // Written whole or not at all, never over the files of the record in databaseFile; a
    // Japanese sentence saying why when it cannot be.
    static std::optional<std::u16string> Save(const std::filesystem::path& file,
        const std::filesystem::path& databaseFile, const TeacherView::Report& report);

    // The page as Save draws it, on any painter; the rectangle is the printable area.
    static void Paint(QPainter& painter, const QRectF& page, const TeacherView::Report& report);
};
