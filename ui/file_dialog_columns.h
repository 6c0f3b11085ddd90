#pragma once
// Qt's own file dialog sizes its size and type columns for short English
// texts ("128.88 GB", "mp3Folder"); the Russian ones ("463 байта", the
// types' Russian names) were cut. The columns are fitted to what they show
// each time a folder has been read; the user may still widen them.

class QFileDialog;

// For Qt's own dialog (a native one has no such columns: nothing happens).
void fit_size_and_type_columns(QFileDialog& dialog);
