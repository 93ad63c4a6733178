#pragma once

class QCoreApplication;

// Qt's own windows and buttons (colour and font dialogs, Yes/No) speak
// French like the rest of the program, with Qt's French translations where
// they are installed. Without them those stay in English: true when loaded.
bool loadTranslations(QCoreApplication &app);
