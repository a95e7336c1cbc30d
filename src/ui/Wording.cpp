#include <QCoreApplication>
#include <QFile>
#include <QStringList>

#include "core/Frame.hpp"
#include "pieces/Catalogue.hpp"
#include "records/FileNames.hpp"
#include "ui/Wording.hpp"

namespace tilvaren {

namespace {

// The translators' context of every sentence here.
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(Wording)
};

// Place markers are filled in one pass (the multi-argument arg), so a path or
// a reason holding "%1" stays as it is; counts of one thing use %n, which a
// translation may give plural forms.
QString Utf8(const std::string& text) { return QString::fromStdString(text); }
QString Number(std::size_t n) { return QString::number(n); }
int N(std::size_t n) { return static_cast<int>(n); }
QString Letter(int piece) {
    return piece >= 0 && piece < kPieceCount ? QString(QChar(kPieceLetters[static_cast<std::size_t>(piece)]))
                                             : QString();
}
QString Name(const std::vector<std::string>& names) { return names.empty() ? QString() : Utf8(names.front()); }

// The frames' captions as FrameName gives them, listed for the translation tools.
[[maybe_unused]] constexpr const char* kFrameCaptions[] = {
    QT_TRANSLATE_NOOP("Wording", "３×20"), QT_TRANSLATE_NOOP("Wording", "４×15"),
    QT_TRANSLATE_NOOP("Wording", "５×12"), QT_TRANSLATE_NOOP("Wording", "６×10")};

// A text marked for the translation tools elsewhere, translated in its context.
QString Translated(const char* context, const char* text) { return QCoreApplication::translate(context, text); }

// A text marked below the window, translated in the engine's context.
QString Engine(const char* form) { return Translated(kEngineTexts, form); }

// Fills what the engine gives in the order of its markers, in one pass.
QString Filled(QString form, const std::vector<std::string>& args) {
    switch (args.size()) {
        case 0: return form;
        case 1: return form.contains(QStringLiteral("%1")) ? form.arg(Utf8(args[0])) : form;
        default: return form.arg(Utf8(args[0]), Utf8(args[1]));
    }
}

QString SettingsNotSaved(const FileResult& failure) {
    return Tr::tr("設定ファイルを保存できませんでした。\n%1").arg(Words(failure));
}

// A close's report ends with the settings' failure, if they failed too.
QString WithSettingsFailure(QString text, const Notice& notice) {
    return notice.second ? text : text + "\n" + SettingsNotSaved(notice.second);
}

QString SavedAwayWords(const Notice& n) {
    const QString folder = Utf8(n.folder);
    const QString other = Utf8(n.other);
    if (n.kind == Notice::Kind::FolderRemade) {
        return n.settingsToo
                   ? Tr::tr("フォルダー %1 がなくなっていたため作り直し、ゲームと設定をそこに保存しました。")
                         .arg(folder)
                   : Tr::tr("フォルダー %1 がなくなっていたため作り直し、ゲームをそこに保存しました。").arg(folder);
    }
    QString text = n.settingsToo ? Tr::tr("ゲームを %1 に保存できなかったため、ゲームと設定を %2 に保存しました。\n%3")
                                 : Tr::tr("ゲームを %1 に保存できなかったため、ゲームを %2 に保存しました。\n%3");
    text = text.arg(folder, other, Words(n.failure));
    if (n.third) return text + "\n" + Tr::tr("次に起動したときは、このゲームの続きから始まります。");
    return text + "\n" +
           Tr::tr("%1 にまた書き込めるようになっても、このゲームは自動では戻りません。\n%2")
               .arg(folder, Words(n.third));
}

QString GameNotSavedWords(const Notice& n) {
    QString text = n.settingsToo ? Tr::tr("ゲームと設定を保存できませんでした。\n%1")
                                 : Tr::tr("ゲームを保存できませんでした。\n%1");
    text = text.arg(Words(n.failure));
    if (n.settingsToo) text += "\n" + Words(n.second);
    if (!n.third.reason.empty()) {
        text += "\n" + Tr::tr("%1 にも保存できませんでした。\n%2").arg(Utf8(n.other), Words(n.third));
    }
    return text + "\n\n" + Tr::tr("保存せずに終了しますか？");
}

// "24" (row and column from 1) as 「2行 4列」.
QString CupPositionWords(const std::string& position) {
    if (position.size() != 2 || position[0] < '1' || position[0] > '9' || position[1] < '1' || position[1] > '9') {
        return QStringLiteral("-");
    }
    return Tr::tr("%1行 %2列").arg(QString(QChar(position[0])), QString(QChar(position[1])));
}

// The side a U opens to, as a player reads it.
QString OpeningWords(char opening) {
    switch (opening) {
        case 'N': return Tr::tr("上 (N)");
        case 'S': return Tr::tr("下 (S)");
        case 'E': return Tr::tr("右 (E)");
        case 'W': return Tr::tr("左 (W)");
        default: return QStringLiteral("-");
    }
}

}  // namespace

QString Words(const FileResult& result) {
    if (result.ok) return {};
    // A failure the session words itself carries no file.
    if (result.error == 0) return Utf8(result.reason);
    const QString cause = Filled(Engine(FileErrorText(result.error)), {std::to_string(result.error)});
    return Engine(FileActionText(result.action)).arg(QFile::decodeName(result.path.c_str()), cause);
}

QString Words(const MarkedText& text) { return Filled(Engine(text.form), text.args); }

QString Words(const CellLabel& label) {
    QString holds;
    if (label.holds == kEmpty) holds = Tr::tr("空き");
    if (label.holds == kSelected) holds = Tr::tr("選択中");
    if (label.holds == kBlocked) holds = Tr::tr("使えない");
    if (IsPieceLetter(label.holds)) holds = Tr::tr("ピース %1").arg(QChar(label.holds));
    return Tr::tr("%1行 %2列 %3").arg(QString::number(label.row), QString::number(label.column), holds);
}

QString Words(PieceLook look) {
    switch (look) {
        case PieceLook::Placed: return Tr::tr("盤上");
        case PieceLook::Plain: return Tr::tr("置ける");
        case PieceLook::RuledOut: break;
    }
    return Tr::tr("置けない");
}

QString PiecePanelWords(int piece, PieceLook look) { return Tr::tr("ピース %1 %2").arg(Letter(piece), Words(look)); }

QString FramePanelWords(const std::string& frame) { return Tr::tr("フレーム %1").arg(Utf8(frame)); }

QString FrameCaption(int frameY) {
    return Translated("Wording", FrameName(frameY, FrameNaming::Caption).c_str());
}

QString Words(const Notice& n) {
    using K = Notice::Kind;
    const QString folder = Utf8(n.folder);
    const QString other = Utf8(n.other);
    const QString reason = Words(n.failure);
    switch (n.kind) {
        case K::SettingsUnreadable:
            return Tr::tr("設定ファイルを読み込めませんでした。既定の設定で始めます。\n%1").arg(reason);
        case K::SettingsNotSaved: return SettingsNotSaved(n.failure);
        case K::OptionsNotSaved:
            return Tr::tr("設定ファイルを読み込めなかったため、この設定は保存されません。今回の終了までは有効です。");
        case K::SavedGameRejected:
            return Tr::tr("保存されたゲーム \"%1\" を読み込めませんでした（%2）。新しいゲームを始めます。")
                       .arg(QString::fromUtf8(kSavedGameFile), Words(n.detail)) +
                   (n.names.empty() ? Tr::tr("元のファイルは別の名前で残せませんでした。終了するときにゲー"
                                             "ムを保存すると、このファイルは置き換えられます。")
                                    : Tr::tr("元のファイルは \"%1\" として残してあります。").arg(Name(n.names)));
        case K::TakenBack: {
            QStringList names;
            for (const std::string& name : n.names) names << Utf8(name);
            return Tr::tr(
                       "前回ウィンドウを閉じたときに %1 に保存したファイル（%2）を、このフォルダー %3 に戻しました。")
                .arg(other, names.join(Tr::tr("、")), folder);
        }
        case K::NotTakenBack:
            return (n.settingsToo ? Tr::tr("前回ウィンドウを閉じたときに %1 に保存した設定を、このフォルダー "
                                           "%2 に戻せませんでした。%1 のファイルはそのまま残っています。\n%3")
                                  : Tr::tr("前回ウィンドウを閉じたときに %1 に保存したゲームを、このフォルダー "
                                           "%2 に戻せませんでした。%1 のファイルはそのまま残っています。\n%3"))
                .arg(other, folder, reason);
        case K::GameNotSaved: return GameNotSavedWords(n);
        case K::FolderRemade:
        case K::SavedAway: return WithSettingsFailure(SavedAwayWords(n), n);
        case K::SolutionNotRecorded:
            return Tr::tr("解答を \"%1\" に記録できませんでした。\n%2").arg(Name(n.names), reason);
        case K::ChallengeLeavesGame:
            return Tr::tr("挑戦は %1 の枠で始まります。いまのゲーム（%2）はやめて、挑戦を始めますか？")
                .arg(Utf8(FrameName(n.frameY)), Utf8(FrameName(n.otherFrameY)));
        case K::ChallengeUnprepared:
            return Tr::tr("解答の記録 \"%1\" を読めなかったため、挑戦を用意できませんでした。\n%2")
                .arg(Name(n.names), reason);
        case K::AllFound:
            return Tr::tr("%1 の枠の解は、%n 通りすべて見つけています。挑戦できる解は残っていません。", nullptr,
                          N(n.count))
                .arg(Utf8(FrameName(n.frameY)));
    }
    return {};
}

QString Words(const Hint& hint) {
    using K = Hint::Kind;
    const QString letter = Letter(hint.piece);
    const int n = N(hint.count);
    switch (hint.kind) {
        case K::None: return {};
        case K::Where: return Tr::tr("ここに入る置き方は %n 通りだけです", nullptr, n);
        case K::Which: return Tr::tr("ここに最も多く入るのは %1 です（完成形の %2%）").arg(letter, Number(hint.count));
        case K::Place: return Tr::tr("%1 を印の 5 マスに置くと、完成まで あと %n 通り", nullptr, n).arg(letter);
        case K::PlaceSelection: return Tr::tr("選んでいるマスにピースを置いてください");
        case K::SelectionUnusable: return Tr::tr("選んでいるマスは、どの完成形にも使えません");
        case K::TakeBack:
            return Tr::tr("完成できません。%1 を取り除くと、完成まで あと %n 通りに戻ります", nullptr, n).arg(letter);
        case K::TakeBackFirst: return Tr::tr("完成できません。まず %1 を取り除いてください").arg(letter);
        case K::Unfinishable: return Tr::tr("この盤は完成できません");
        case K::FinishedNew: return Tr::tr("完成しています。新しい解です");
        case K::FinishedBefore: return Tr::tr("完成しています。すでに見つけた解です");
        case K::FinishedUnknown:
            return Tr::tr("完成しています。解答の記録 \"%1\" を読めず、新しい解かはわかりません").arg(Utf8(hint.file));
    }
    return {};
}

QString Words(const CongruenceAnswer& a) {
    using K = CongruenceAnswer::Kind;
    QString text;
    switch (a.kind) {
        case K::Solution:
            text = Tr::tr("この解は No. %1 です。\n").arg(a.number);
            text +=
                a.isNew
                    ? Tr::tr("この解は新しい解です。回転・反転したものも含めて、これまでの記録にはありませんでした。\n")
                    : Tr::tr("この解は、回転・反転したものも含めて、%1 にすでに見つけています。\n")
                          .arg(Utf8(a.firstDate));
            break;
        case K::DeadEnd:
            text = Tr::tr("この盤は、もうどうやっても完成できません。ピースをいくつか取り除いてみてください。\n");
            break;
        case K::Open:
            // Led by the distinct count, the number the options dialog and the
            // strip give; the count of every image only where it differs.
            text = Tr::tr("この盤を完成させる方法は、あと %n 通りあります", nullptr, N(a.distinct));
            if (a.ways != a.distinct) {
                text += Tr::tr("（回転・反転したものを別に数えると %n 通り）", nullptr, N(a.ways));
            }
            text += Tr::tr("。");
            if (a.unreadable.empty()) {
                text += a.distinctFound == 0
                            ? Tr::tr("どれもまだ記録にありません。")
                            : Tr::tr("そのうち %n 通りは、すでに記録にあります。", nullptr, N(a.distinctFound));
            }
            text += "\n";
            break;
    }
    if (!a.unreadable.empty()) {
        return text + Tr::tr("解答の記録 \"%1\" を読めませんでした。").arg(Utf8(a.unreadable));
    }
    return text +
           Tr::tr("記録にある %1 の解は %2 通りのうち %3 通りです。")
               .arg(Utf8(FrameName(a.frameY, FrameNaming::Check)), Number(a.frameTotal), Number(a.registerHolds));
}

QString Words(const SupportLine& line) {
    switch (line.kind) {
        case SupportLine::Kind::None: return {};
        case SupportLine::Kind::Counting: return Tr::tr("数えています…");
        case SupportLine::Kind::Left: return Tr::tr("完成まで あと %n 通り", nullptr, N(line.left));
        case SupportLine::Kind::CannotFinish: return Tr::tr("完成できません");
        case SupportLine::Kind::Finished: return Tr::tr("完成しました");
    }
    return {};
}

QString Words(const ChallengeLine& line) {
    switch (line.kind) {
        case ChallengeLine::Kind::Empty: return {};
        case ChallengeLine::Kind::Preparing: return Tr::tr("挑戦を用意しています…");
        case ChallengeLine::Kind::Taken:
            return Tr::
                tr("残り %1 個のピースを置く挑戦です。完成形は %2 通りで、そのうち %3 通りはまだ見つけていない解です。")
                    .arg(Number(line.left), Number(line.completions), Number(line.unfound));
    }
    return {};
}

QString Words(ChallengeLevel level) {
    switch (level) {
        case ChallengeLevel::Easy: return Tr::tr("やさしい");
        case ChallengeLevel::Normal: return Tr::tr("ふつう");
        case ChallengeLevel::Hard: return Tr::tr("むずかしい");
    }
    return {};
}

QString StatusWords(const Collection& collection) {
    switch (collection.state) {
        case Collection::State::Reading: return Tr::tr("読み込んでいます…");
        case Collection::State::Unreadable:
            return Tr::tr("解の記録を読めませんでした。\n%1").arg(Words(collection.failure));
        case Collection::State::Ready: break;
    }
    return {};
}

QString HeaderWords(const CollectionPage& page) {
    return Tr::tr("見つけた解 %1 / %2").arg(Number(page.found), Number(page.total));
}

QString CountsWords(const CollectionPage& page) {
    QString text = Tr::tr("仕上げた盤 %n 回", nullptr, N(page.lines));
    text += page.found == 0 ? Tr::tr("　まだ見つけた解はありません")
                            : Tr::tr("　最初の発見 %1　最新の発見 %2").arg(Utf8(page.firstFind), Utf8(page.latestFind));
    if (page.damaged > 0) text += Tr::tr("　読めない行 %n", nullptr, N(page.damaged));
    return text;
}

QString CaptionWords(const CollectionEntry& entry) {
    return Tr::tr("No. %1\n%2").arg(QString::number(entry.number), Utf8(entry.firstDate));
}

QString EntryName(const CollectionEntry& entry) {
    return Tr::tr("No. %1　初めて見つけた日 %2　見つけた回数 %3")
        .arg(QString::number(entry.number), Utf8(entry.firstDate), Number(entry.timesFound));
}

QString DetailsWords(const CollectionEntry& entry, int frameY) {
    QString text = Tr::tr("No. %1\n初めて見つけた日 %2\n最後に見つけた日 %3\n見つけた回数 %4")
                       .arg(QString::number(entry.number), Utf8(entry.firstDate), Utf8(entry.latestDate),
                            Number(entry.timesFound));
    if (frameY != 6) return text;
    const UClassification& u = entry.u;
    return text + "\n" +
           Tr::tr("U のカップの位置 %1\nU の開き %2\nカップの中のピース %3")
               .arg(CupPositionWords(u.cupPosition), OpeningWords(u.opening),
                    u.cupLetter == '-' ? QStringLiteral("-") : QString(QChar(u.cupLetter)));
}

}  // namespace tilvaren
