#include "cli/commands.h"

namespace byzel::cli {

QString overviewHelp() {
    return QStringLiteral(
        "Usage: byzel-cli COMMAND [ARGUMENTS]\n"
        "\n"
        "byzel-cli works on Byzel's files without a window, for scripts and batch work.\n"
        "\n"
        "Commands:\n"
        "  dump FILE [--top ROW] [--rows N] [--dump-only] [-o OUT] [--force]\n"
        "           [--encoding sjis|utf-8]\n"
        "      The dump list of FILE as text, the same bytes the program's text export writes\n"
        "      (Shift-JIS, CR LF); UTF-8 on a terminal. FILE is any file, or a .mkg marker\n"
        "      file: then its dump file is listed with the markers' remarks. Without -o to\n"
        "      standard output.\n"
        "  markers WORK.mkg\n"
        "      The marker file as JSON (UTF-8) on standard output: dump file path, switches\n"
        "      and every marker with its range, colour and remark.\n"
        "  import-markers IN.json -o WORK.mkg [--force]\n"
        "      A marker file from such JSON; \"markers\" then \"import-markers\" gives back the\n"
        "      same file byte for byte.\n"
        "  crc FILE START END\n"
        "      The CRC-32 of the bytes START to END of FILE, in the program's report form.\n"
        "  count FILE [--type N] [--max N]\n"
        "      How often each character (Shift-JIS) and each byte value of FILE occurs.\n"
        "\n"
        "\"byzel-cli COMMAND --help\" tells more about a command.\n"
        "\n"
        "Nothing is asked on the command line: an existing output file is overwritten only\n"
        "with --force. Messages go to standard error.\n"
        "\n"
        "Exit status:\n"
        "  0  done\n"
        "  1  a file could not be read or written, or the output exists without --force\n"
        "  2  the command line or the input was refused; nothing was written\n"
        "\n"
        "Examples:\n"
        "  byzel-cli dump data.bin --top 0x100 --rows 60\n"
        "  byzel-cli dump work.mkg -o DumpList.txt\n"
        "  byzel-cli markers work.mkg > work.json\n"
        "  byzel-cli import-markers work.json -o work.mkg --force\n"
        "  byzel-cli crc data.bin 0x10 0x2F\n"
        "  byzel-cli count data.bin --type 4\n");
}

} // namespace byzel::cli
