#pragma once

#include <QString>
#include <functional>

// "How to work with files ?": for each template file in turn, writes it with a sample text
// that explains its placeholders when it is missing, then hands it to open (the window opens
// it with the desktop). An existing file is never changed. A file that cannot be written
// throws AppError; the files after it are neither written nor opened.
void openSeoTemplateFiles(const std::function<void(const QString& path)>& open);
