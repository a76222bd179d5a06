// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/store_messages.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

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
        case ELOOP:
            pair = {"trop de liens symboliques (une boucle ?)",
                    "too many symbolic links (a loop?)"};
            break;
        case ENAMETOOLONG:
            pair = {"nom trop long", "name too long"};
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

// 'a', 'b', 'c' and 4 others.
std::string nameList(const std::vector<std::string>& names, bool fr) {
    constexpr size_t kShown = 6;
    std::string out;
    const size_t shown = names.size() > kShown + 1 ? kShown : names.size();
    for (size_t k = 0; k < shown; ++k) {
        if (k > 0) out += k + 1 == names.size() ? (fr ? " et " : " and ") : ", ";
        out += "'" + names[k] + "'";
    }
    if (shown < names.size()) {
        out += (fr ? " et " : " and ") + std::to_string(names.size() - shown) +
               (fr ? " autres" : " others");
    }
    return out;
}

// "game type 2, 100 draws, rank 3"
std::string entryName(const std::array<int, 3>& entry, bool fr) {
    static constexpr int kDraws[] = {0, 50, 100, 200, 500, 1000};
    const int target = entry[1];
    const std::string draws = target >= 1 && target <= 5
                                  ? std::to_string(kDraws[target]) + (fr ? " tirages" : " draws")
                                  : (fr ? "sans limite" : "unlimited");
    return (fr ? "type de jeu " : "game type ") + std::to_string(entry[0]) + ", " + draws +
           (fr ? ", rang " : ", rank ") + std::to_string(entry[2]);
}

// Where the copy of the damaged file is, or why there is none.
std::string copyIn(const StoreProblem& p, bool fr) {
    std::string out;
    if (!p.copy.empty()) {
        out += fr ? " Une copie du fichier abîmé est gardée sous '" + p.copy + "'."
                  : " A copy of the damaged file is kept as '" + p.copy + "'.";
    } else if (p.error != 0) {
        const Language language = fr ? Language::French : Language::English;
        out += fr ? " Aucune copie n'a pu en être faite (" + reason(p.error, language) +
                        ") : rien n'est écrit par-dessus."
                  : " No copy of it could be made (" + reason(p.error, language) +
                        "): nothing is written over it.";
    }
    return out;
}

std::string damageIn(const StoreProblem& p, bool fr) {
    const std::string where = p.path.empty() ? "" : " '" + p.path + "'";
    std::string out;
    if (p.line > 0) {
        out = fr ? "Le fichier des réglages" + where + " était abîmé (ligne " +
                       std::to_string(p.line) + ")."
                 : "The settings file" + where + " was damaged (line " + std::to_string(p.line) +
                       ").";
    } else {
        out = fr ? "Les réglages" + where +
                       " contiennent des valeurs d'un type ou d'une longueur incorrects."
                 : "The settings" + where + " hold values of a wrong type or length.";
    }
    if (p.allReset && p.unreadable.empty()) {
        out += fr ? " Rien des réglages du jeu n'a pu être lu : tous les réglages et les meilleurs "
                    "scores sont remis à zéro, comme au premier démarrage."
                  : " Nothing of the game's settings could be read: every setting and best score "
                    "was reset, as at a first start.";
        return out + copyIn(p, fr);
    }
    if (p.unreadable.empty()) {
        out += fr ? " Aucune valeur du jeu n'est perdue." : " No value of the game was lost.";
    } else {
        out += fr ? (p.unreadable.size() > 1 ? " Illisibles : " : " Illisible : ")
                  : " Could not be read: ";
        out += nameList(p.unreadable, fr) + ".";
    }
    if (p.allReset) {
        out += fr ? " Ce qui a pu être lu ne passe pas le contrôle du jeu : tous les réglages et "
                    "les meilleurs scores sont remis à zéro."
                  : " What could be read fails the game's check: every setting and best score "
                    "was reset.";
    } else {
        if (!p.defaulted.empty()) {
            out += ' ';
            out += nameList(p.defaulted, fr) +
                   (fr ? (p.defaulted.size() > 1 ? " prennent leur valeur par défaut."
                                                 : " prend sa valeur par défaut.")
                       : (p.defaulted.size() > 1 ? " take their default values."
                                                 : " takes its default value."));
        }
        if (!p.dropped.empty()) {
            out += fr ? " Les meilleurs scores perdent " : " The best scores lose ";
            out += fr ? (p.dropped.size() > 1 ? "ces entrées : " : "cette entrée : ")
                      : (p.dropped.size() > 1 ? "these entries: " : "this entry: ");
            for (size_t k = 0; k < p.dropped.size(); ++k) {
                if (k > 0) out += "; ";
                out += entryName(p.dropped[k], fr);
            }
            out += fr ? ". Les entrées suivantes remontent et des entrées inventées complètent la "
                        "liste."
                      : ". The entries below move up and invented entries fill the end of the "
                        "list.";
        }
        if (!p.unreadable.empty()) out += fr ? " Tout le reste est gardé." : " All else is kept.";
    }
    return out + copyIn(p, fr);
}

std::string describeIn(const StoreProblem& p, Language language) {
    const bool fr = language == Language::French;
    const std::string file = "'" + p.path + "'";
    switch (p.kind) {
        case StoreProblem::Kind::Damaged:
            return damageIn(p, fr);
        case StoreProblem::Kind::ReadFailed:
            return (fr ? "Le fichier " + file + " n'a pas pu être lu : "
                       : "The file " + file + " could not be read: ") +
                   reason(p.error, language) +
                   (fr ? ". Le jeu continue avec les réglages qu'il a."
                       : ". The game goes on with the settings it holds.");
        case StoreProblem::Kind::WriteFailed: {
            std::string out = p.path.empty()
                                  ? (fr ? "Les réglages n'ont pas pu être écrits : "
                                        : "The settings could not be written: ")
                                  : (fr ? "Le fichier " + file + " n'a pas pu être écrit : "
                                        : "The file " + file + " could not be written: ");
            out += reason(p.error, language) + ".";
            if (!p.value.empty()) {
                out += fr ? " L'enregistrement de '" + p.value +
                                "' est abandonné : les réglages gardent ce qu'ils avaient, et le "
                                "jeu continue."
                          : " The save of '" + p.value +
                                "' was given up: the settings keep what they held, and the game "
                                "goes on.";
            }
            return out;
        }
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
        case StoreProblem::Kind::TheStore:
            return (fr ? "Le fichier " + file + " n'a pas pu être écrit : "
                       : "The file " + file + " could not be written: ") +
                   refusalReason(p, language) + ".";
        case StoreProblem::Kind::ReadOnly:
            return fr ? "Le fichier des réglages " + file +
                            " est en lecture seule : le jeu continue et n'y enregistre rien."
                      : "The settings file " + file +
                            " is read-only: the game goes on and saves nothing in it.";
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

std::string refusalReason(const StoreProblem& problem, Language language) {
    const Language in = language == Language::None ? Language::French : language;
    switch (problem.kind) {
        case StoreProblem::Kind::NotAFile:
            return fileType(problem.fileType, in);
        case StoreProblem::Kind::TheStore:
            return pick(
                {"c'est le fichier des réglages du jeu", "it is the game's own settings file"}, in);
        default:
            return reason(problem.error, in);
    }
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
