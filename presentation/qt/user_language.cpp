#include "user_language.h"

#include <QByteArray>

namespace quadrell {

namespace {

design::SpokenLanguage ReadUserSpokenLanguage()
{
    const QByteArray language = qgetenv("LANGUAGE"), lcAll = qgetenv("LC_ALL"), lcMessages = qgetenv("LC_MESSAGES"),
                     lang = qgetenv("LANG");
    return design::LanguageOfLocale(design::MessagesLocale(language.toStdString(), lcAll.toStdString(),
                                                           lcMessages.toStdString(), lang.toStdString()));
}

}  // namespace

design::SpokenLanguage UserSpokenLanguage()
{
    // Read once: the environment of a running program does not change.
    static const design::SpokenLanguage language = ReadUserSpokenLanguage();
    return language;
}

}  // namespace quadrell
