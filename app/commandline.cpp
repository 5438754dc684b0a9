#include "app/commandline.h"

#include <QCommandLineParser>
#include <QStringList>
#include <cstdio>

namespace huevox {

int AnswerCommandLine(int argc, char* argv[]) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  // Parsing alone needs no application object; Qt's own help text would.
  QCommandLineParser parser;
  const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
  const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
  parser.addOptions({help, version});
  const auto refuse = [](const QString& why) {
    std::fprintf(stderr, "huevox: %s (huevox --help lists the options)\n", qPrintable(why));
    return 2;
  };
  if (!parser.parse(arguments)) {
    QString why = parser.errorText();  // "Unknown option 'x'."
    if (why.endsWith(QLatin1Char('.'))) why.chop(1);
    return refuse(why);
  }
  if (!parser.positionalArguments().isEmpty())
    return refuse(QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first()));
  if (parser.isSet(help)) {
    std::fputs("Usage: huevox [option]\n"
               "Choose the colours, font and style of your instant messages; everything\n"
               "is done in the program's windows.\n\n"
               "  -h, --help     show this help and exit\n"
               "  -v, --version  show the version and exit\n",
               stdout);
    return 0;
  }
  if (parser.isSet(version)) {
    std::fputs("huevox " HUEVOX_VERSION "\n", stdout);
    return 0;
  }
  return -1;
}

}  // namespace huevox
