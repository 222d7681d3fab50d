// The toolkit's own texts (file dialogs and their questions, standard buttons, context menus) in
// Italian, like the rest of the program, whatever language the system speaks.
#pragma once

class QCoreApplication;
class QTranslator;

namespace zelta::ui {

// Makes Italian the default locale and installs the toolkit's Italian catalogue from its
// translations folder. Returns the installed translator (owned by app), or null when the catalogue
// is not there: the toolkit's texts then stay in English and the program runs on.
QTranslator* installItalianTranslations(QCoreApplication& app);

} // namespace zelta::ui
