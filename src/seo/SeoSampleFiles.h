#pragma once

// "How to work with files ?": for each template file in turn, writes it with a sample text
// that explains its placeholders when it is missing, then opens it with the desktop. An
// existing file is never changed. A file that cannot be written throws AppError; the files
// after it are neither written nor opened.
void openSeoTemplateFiles();
