#pragma once

#include <QString>

// Where the console finds the files it reads by relative name ("config.ini",
// "translate/zh.qm", the "images" directory): the working directory first,
// as operators start it from its own folder; otherwise beside the
// executable and in the installed data directory, so the installed program
// works when started from anywhere.
namespace appfiles {

// The first existing candidate for `relative`; `relative` itself (in the
// working directory) when none exists.
QString locate(const QString &relative);

// The "images" directory of the dialog-frame pictures, without a final "/".
QString imagesDir();

} // namespace appfiles
