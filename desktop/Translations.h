#pragma once

namespace tellaria {

// Makes the toolkit's and the browser engine's own texts Chinese, whatever the system locale:
// the default locale becomes zh_CN (the engine takes its interface language and error pages
// from it) and Qt's own zh_CN translations are installed. Call once, after the application
// object exists and before the first browser is made. False when a translation is missing.
bool InstallChineseTranslations();

} // namespace tellaria
