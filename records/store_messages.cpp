// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/store_messages.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace brisko {

namespace {

struct Pair {
    const char* french;
    const char* english;
};

const char* pick(const Pair& pair, Language language) {
    return language == Language::French ? pair.french : pair.english;
}

// The system's reason, in the player's words.
std::string reason(int error, Language language) {
    Pair pair{nullptr, nullptr};
    switch (error) {
        case ENOSPC:
            pair = {"plus de place sur le disque", "no space left on the disk"};
            break;
#ifdef EDQUOT
        case EDQUOT:
            pair = {"quota de disque dépassé", "disk quota exceeded"};
            break;
#endif
        case EFBIG:
            pair = {"fichier trop grand pour le système", "file too large for the system"};
            break;
        case EACCES:
        case EPERM:
            pair = {"permission refusée", "permission denied"};
            break;
        case EROFS:
            pair = {"disque en lecture seule", "read-only file system"};
            break;
        case ENOTDIR:
            pair = {"une partie du chemin n'est pas un dossier",
                    "part of the path is not a folder"};
            break;
        case ENOENT:
            pair = {"dossier introuvable", "folder not found"};
            break;
        case EIO:
            pair = {"erreur de lecture ou d'écriture du disque", "input/output error"};
            break;
        default:
            return std::strerror(error);
    }
    return pick(pair, language);
}

std::string fileType(unsigned mode, Language language) {
    Pair pair{"ce n'est pas un fichier", "not a file"};
    if (S_ISDIR(mode)) pair = {"c'est un dossier", "it is a folder"};
#ifndef _WIN32
    if (S_ISFIFO(mode)) pair = {"c'est un tube (FIFO)", "it is a pipe (FIFO)"};
    if (S_ISCHR(mode) || S_ISBLK(mode)) pair = {"c'est un périphérique", "it is a device"};
    if (S_ISSOCK(mode)) pair = {"c'est une socket", "it is a socket"};
#endif
    return pick(pair, language);
}

std::string describeIn(const StoreProblem& p, Language language) {
    const bool fr = language == Language::French;
    const std::string file = "'" + p.path + "'";
    switch (p.kind) {
        case StoreProblem::Kind::Damaged:
            return fr ? "Le fichier des réglages " + file + " était abîmé (ligne " +
                            std::to_string(p.line) +
                            ") : les valeurs lisibles sont gardées, les autres sont ignorées. "
                            "Une copie du fichier abîmé est gardée sous '" +
                            p.copy + "'."
                      : "The settings file " + file + " was damaged (line " +
                            std::to_string(p.line) +
                            "): the values that could be read are kept, the others are ignored. "
                            "A copy of the damaged file is kept as '" +
                            p.copy + "'.";
        case StoreProblem::Kind::ReadFailed:
            return (fr ? "Le fichier " + file + " n'a pas pu être lu : "
                       : "The file " + file + " could not be read: ") +
                   reason(p.error, language) + ".";
        case StoreProblem::Kind::WriteFailed:
            return (fr ? "Le fichier " + file + " n'a pas pu être écrit : "
                       : "The file " + file + " could not be written: ") +
                   reason(p.error, language) + ".";
        case StoreProblem::Kind::NotAFile:
            return (fr ? "Les réglages " + file + " ne sont pas un fichier ordinaire ("
                       : "The settings " + file + " are not a plain file (") +
                   fileType(p.fileType, language) +
                   (fr ? ") : ils ne sont ni lus ni remplacés."
                       : "): they are neither read nor replaced.");
        case StoreProblem::Kind::Locked:
            return fr ? "Le fichier " + file + " est verrouillé par un autre programme depuis " +
                            std::to_string(p.seconds) + " secondes : rien n'a été écrit."
                      : "The file " + file + " has been locked by another program for " +
                            std::to_string(p.seconds) + " seconds: nothing was written.";
        case StoreProblem::Kind::Held:
            return fr ? "Les réglages " + file +
                            " sont déjà utilisés par une autre copie du jeu (processus " +
                            std::to_string(p.pid) + ") : fermez-la d'abord."
                      : "The settings " + file +
                            " are already in use by another copy of the game (process " +
                            std::to_string(p.pid) + "): close it first.";
    }
    return {};
}

}  // namespace

std::string describeStoreProblem(const StoreProblem& problem, Language language) {
    if (language == Language::None) {
        return describeIn(problem, Language::French) + "\n" +
               describeIn(problem, Language::English);
    }
    return describeIn(problem, language);
}

std::string storeMessage(const StoreError& error, Language language) {
    std::string text = error.what();
    if (error.problem()) {
        if (!text.empty()) text += '\n';
        text += describeStoreProblem(*error.problem(), language);
    }
    return text;
}

}  // namespace brisko
