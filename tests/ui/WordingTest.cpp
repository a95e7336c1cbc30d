#include <QtTest>

#include "app/Language.hpp"
#include "records/GameRecord.hpp"
#include "support/Japanese.hpp"
#include "ui/Wording.hpp"

namespace tilvaren {

// Every sentence the window shows for the session's facts, as the player
// reads it without a translation.
class WordingTest : public QObject {
    Q_OBJECT
private slots:
    void EachFactReadsAsTheGameSaysIt_data();
    void EachFactReadsAsTheGameSaysIt();
    void EachFactHasEnglishWords_data();
    void EachFactHasEnglishWords();
};

namespace {

FileResult Failed(const char* reason) { return FileResult::Failure(reason); }

// A notice over the folders /p/ and /u/, failing as G, S and T, detail D, on
// the frames 3 x 20 and 6 x 10, counting 2.
Notice Of(Notice::Kind kind, std::vector<std::string> names = {}, bool settingsToo = false,
          FileResult second = Failed("S"), FileResult third = Failed("T")) {
    Notice notice{kind, Failed("G"), std::move(second), std::move(third)};
    notice.folder = "/p/";
    notice.other = "/u/";
    notice.names = std::move(names);
    notice.detail = {"D", {}};
    notice.settingsToo = settingsToo;
    notice.frameY = 3;
    notice.otherFrameY = 6;
    notice.count = 2;
    return notice;
}

Hint HintOf(Hint::Kind kind, int piece = -1, std::size_t count = 0) {
    Hint hint;
    hint.kind = kind;
    hint.piece = piece;
    hint.count = count;
    hint.file = "Tilvaren.csv";
    return hint;
}

CongruenceAnswer Answer(CongruenceAnswer answer, bool read = true) {
    if (!read) answer.unreadable = "Tilvaren.csv";
    return answer;
}

CollectionEntry Entry(int number, const char* first, const char* latest, std::size_t times, UClassification u = {}) {
    CollectionEntry entry;
    entry.number = number;
    entry.firstDate = first;
    entry.latestDate = latest;
    entry.timesFound = times;
    entry.u = u;
    return entry;
}

CollectionPage Page(std::size_t found, std::size_t lines, std::size_t damaged) {
    CollectionPage page;
    page.found = found;
    page.total = 2339;
    page.lines = lines;
    page.damaged = damaged;
    page.firstFind = "2026/01/05";
    page.latestFind = "2026/03/01";
    return page;
}

void AddRows() {
    QTest::addColumn<QString>("words");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char* name, const QString& words, const char* expected) {
        QTest::newRow(name) << words << QString::fromUtf8(expected);
    };
    using N = Notice::Kind;
    const FileResult ok = FileResult::Success();
    row("settings unreadable", Words(Of(N::SettingsUnreadable)), "設定ファイルを読み込めませんでした。既定の設定で始めます。\nG");
    row("settings not saved", Words(Of(N::SettingsNotSaved)), "設定ファイルを保存できませんでした。\nG");
    row("options not saved", Words(Of(N::OptionsNotSaved)),
        "設定ファイルを読み込めなかったため、この設定は保存されません。今回の終了までは有効です。");
    row("saved game kept", Words(Of(N::SavedGameRejected, {"Tilvaren.tmp.bad"})),
        "保存されたゲーム \"Tilvaren.tmp\" を読み込めませんでした（D）。新しいゲームを始めます。元のファイルは "
        "\"Tilvaren.tmp.bad\" として残してあります。");
    row("saved game not kept", Words(Of(N::SavedGameRejected)),
        "保存されたゲーム \"Tilvaren.tmp\" を読み込めませんでした（D）。新しいゲームを始めます。元のファイルは別の名前で"
        "残せませんでした。終了するときにゲームを保存すると、このファイルは置き換えられます。");
    // A folder's name is never read for place markers.
    Notice takenBack = Of(N::TakenBack, {"Tilvaren.tmp", "Tilvaren.ini"});
    takenBack.folder = "/p%1/";
    row("taken back", Words(takenBack),
        "前回ウィンドウを閉じたときに /u/ に保存したファイル（Tilvaren.tmp、Tilvaren.ini）を、このフォルダー /p%1/ "
        "に戻しました。");
    row("game not taken back", Words(Of(N::NotTakenBack)),
        "前回ウィンドウを閉じたときに /u/ に保存したゲームを、このフォルダー /p/ に戻せませんでした。/u/ "
        "のファイルはそのまま残っています。\nG");
    row("settings not taken back", Words(Of(N::NotTakenBack, {}, true)),
        "前回ウィンドウを閉じたときに /u/ に保存した設定を、このフォルダー /p/ に戻せませんでした。/u/ "
        "のファイルはそのまま残っています。\nG");
    row("game not saved", Words(Of(N::GameNotSaved, {}, false, ok, Failed(""))),
        "ゲームを保存できませんでした。\nG\n\n保存せずに終了しますか？");
    row("game and settings not saved, nor in the other folder", Words(Of(N::GameNotSaved, {}, true)),
        "ゲームと設定を保存できませんでした。\nG\nS\n/u/ にも保存できませんでした。\nT\n\n保存せずに終了しますか？");
    row("folder made again", Words(Of(N::FolderRemade, {}, true, ok)),
        "フォルダー /p/ がなくなっていたため作り直し、ゲームと設定をそこに保存しました。");
    row("folder made again, settings not saved", Words(Of(N::FolderRemade)),
        "フォルダー /p/ がなくなっていたため作り直し、ゲームをそこに保存しました。\n設定ファイルを保存できませんでした。\nS");
    row("saved away", Words(Of(N::SavedAway, {}, true, ok, ok)),
        "ゲームを /p/ に保存できなかったため、ゲームと設定を /u/ に保存しました。\nG\n次に起動したときは、このゲームの続きから"
        "始まります。");
    row("saved away, not to come back", Words(Of(N::SavedAway, {}, false, ok)),
        "ゲームを /p/ に保存できなかったため、ゲームを /u/ に保存しました。\nG\n/p/ "
        "にまた書き込めるようになっても、このゲームは自動では戻りません。\nT");
    row("solution not recorded", Words(Of(N::SolutionNotRecorded, {"Tilvaren.csv"})),
        "解答を \"Tilvaren.csv\" に記録できませんでした。\nG");
    row("a challenge leaves the game", Words(Of(N::ChallengeLeavesGame)),
        "挑戦は 3 * 20 の枠で始まります。いまのゲーム（6 * 10）はやめて、挑戦を始めますか？");
    row("no challenge without the register", Words(Of(N::ChallengeUnprepared, {"Tilvaren.csv"})),
        "解答の記録 \"Tilvaren.csv\" を読めなかったため、挑戦を用意できませんでした。\nG");
    row("every solution found", Words(Of(N::AllFound)),
        "3 * 20 の枠の解は、2 通りすべて見つけています。挑戦できる解は残っていません。");

    using H = Hint::Kind;
    row("no hint", Words(HintOf(H::None, 1)), "");
    row("hint: where", Words(HintOf(H::Where, -1, 3)), "ここに入る置き方は 3 通りだけです");
    row("hint: which", Words(HintOf(H::Which, 9, 67)), "ここに最も多く入るのは X です（完成形の 67%）");
    row("hint: place", Words(HintOf(H::Place, 1, 2)), "I を印の 5 マスに置くと、完成まで あと 2 通り");
    row("hint: the selection", Words(HintOf(H::PlaceSelection)), "選んでいるマスにピースを置いてください");
    row("hint: an unusable selection", Words(HintOf(H::SelectionUnusable)), "選んでいるマスは、どの完成形にも使えません");
    row("hint: take back", Words(HintOf(H::TakeBack, 1, 119)),
        "完成できません。I を取り除くと、完成まで あと 119 通りに戻ります");
    row("hint: take back first", Words(HintOf(H::TakeBackFirst, 10)), "完成できません。まず Y を取り除いてください");
    row("hint: no piece to take", Words(HintOf(H::Unfinishable)), "この盤は完成できません");
    row("hint: finished, new", Words(HintOf(H::FinishedNew)), "完成しています。新しい解です");
    row("hint: finished before", Words(HintOf(H::FinishedBefore)), "完成しています。すでに見つけた解です");
    row("hint: finished, register unreadable", Words(HintOf(H::FinishedUnknown)),
        "完成しています。解答の記録 \"Tilvaren.csv\" を読めず、新しい解かはわかりません");

    using C = CongruenceAnswer::Kind;
    row("check: a new solution",
        Words(Answer({.kind = C::Solution, .number = 1, .isNew = true, .frameTotal = 2339, .registerHolds = 1})),
        "この解は No. 1 です。\nこの解は新しい解です。回転・反転したものも含めて、これまでの記録にはありませんでした。\n"
        "記録にある 6×10 の解は 2339 通りのうち 1 通りです。");
    row("check: a solution found before",
        Words(Answer({.kind = C::Solution,
                      .frameY = 5,
                      .number = 7,
                      .firstDate = "2026/12/07",
                      .frameTotal = 1010,
                      .registerHolds = 3})),
        "この解は No. 7 です。\nこの解は、回転・反転したものも含めて、2026/12/07 にすでに見つけています。\n"
        "記録にある 5×12 の解は 1010 通りのうち 3 通りです。");
    row("check: a dead end", Words(Answer({.kind = C::DeadEnd, .frameTotal = 2339})),
        "この盤は、もうどうやっても完成できません。ピースをいくつか取り除いてみてください。\n"
        "記録にある 6×10 の解は 2339 通りのうち 0 通りです。");
    row("check: open, none found", Words(Answer({.kind = C::Open, .distinct = 2339, .ways = 9356, .frameTotal = 2339})),
        "この盤を完成させる方法は、あと 2339 通りあります（回転・反転したものを別に数えると 9356 "
        "通り）。どれもまだ記録にありません。\n記録にある 6×10 の解は 2339 通りのうち 0 通りです。");
    row("check: open, found",
        Words(Answer(
            {.kind = C::Open, .distinct = 1, .ways = 1, .distinctFound = 1, .frameTotal = 2339, .registerHolds = 1})),
        "この盤を完成させる方法は、あと 1 通りあります。そのうち 1 通りは、すでに記録にあります。\n"
        "記録にある 6×10 の解は 2339 通りのうち 1 通りです。");
    row("check: open, register unreadable", Words(Answer({.kind = C::Open, .distinct = 2, .ways = 8}, false)),
        "この盤を完成させる方法は、あと 2 通りあります（回転・反転したものを別に数えると 8 通り）。\n"
        "解答の記録 \"Tilvaren.csv\" を読めませんでした。");
    row("check: a dead end, register unreadable", Words(Answer({.kind = C::DeadEnd}, false)),
        "この盤は、もうどうやっても完成できません。ピースをいくつか取り除いてみてください。\n"
        "解答の記録 \"Tilvaren.csv\" を読めませんでした。");

    using S = SupportLine::Kind;
    row("strip: nothing yet", Words(SupportLine{S::None}), "");
    row("strip: counting", Words(SupportLine{S::Counting}), "数えています…");
    row("strip: finished", Words(SupportLine{S::Finished}), "完成しました");

    using L = ChallengeLine::Kind;
    row("challenge: no line", Words(ChallengeLine{L::Empty}), "");
    row("challenge: preparing", Words(ChallengeLine{L::Preparing}), "挑戦を用意しています…");
    row("challenge: taken", Words(ChallengeLine{L::Taken, 6, 1, 1}),
        "残り 6 個のピースを置く挑戦です。完成形は 1 通りで、そのうち 1 通りはまだ見つけていない解です。");
    row("level easy", Words(ChallengeLevel::Easy), "やさしい");
    row("level normal", Words(ChallengeLevel::Normal), "ふつう");
    row("level hard", Words(ChallengeLevel::Hard), "むずかしい");

    Collection unreadable{Collection::State::Unreadable, Failed("R"), {}};
    row("collection: unreadable", StatusWords(unreadable), "解の記録を読めませんでした。\nR");
    row("collection: ready", StatusWords(Collection{Collection::State::Ready, {}, {}}), "");
    row("page: none found", CountsWords(Page(0, 0, 0)), "仕上げた盤 0 回　まだ見つけた解はありません");
    row("page: none found, damaged lines", CountsWords(Page(0, 0, 2)),
        "仕上げた盤 0 回　まだ見つけた解はありません　読めない行 2");
    row("page: found", CountsWords(Page(3, 5, 2)),
        "仕上げた盤 5 回　最初の発見 2026/01/05　最新の発見 2026/03/01　読めない行 2");
    const CollectionEntry one = Entry(1, "2026/01/02", "2026/02/03", 2, {"24", 'N', 'X'});
    row("entry: details on 6 x 10", DetailsWords(one, 6),
        "No. 1\n初めて見つけた日 2026/01/02\n最後に見つけた日 2026/02/03\n見つけた回数 2\nU のカップの位置 2行 4列\nU "
        "の開き 上 (N)\nカップの中のピース X");
    row("entry: details on 4 x 15", DetailsWords(Entry(368, "2026/07/08", "2026/07/08", 1), 4),
        "No. 368\n初めて見つけた日 2026/07/08\n最後に見つけた日 2026/07/08\n見つけた回数 1");
    row("entry: no U", DetailsWords(Entry(5, "d", "e", 1), 6),
        "No. 5\n初めて見つけた日 d\n最後に見つけた日 e\n見つけた回数 1\nU のカップの位置 -\nU の開き -\nカップの中のピース -");
    for (const auto& [opening, words] : {std::pair{'S', "下 (S)"}, {'E', "右 (E)"}, {'W', "左 (W)"}}) {
        const QString details = DetailsWords(Entry(1, "d", "e", 1, {"19", opening, 'L'}), 6);
        QTest::newRow(words) << details.section('\n', 5, 5) << QString::fromUtf8("U の開き ") + QString::fromUtf8(words);
    }

    // A file's failure names the file and the system's cause; a path is never
    // read for place markers.
    row("file unreadable", Words(FileResult::Failure(FileAction::Read, "/p%2/Tilvaren.ini", EACCES)),
        "\"/p%2/Tilvaren.ini\" を読み込めません（アクセス権がありません）");
    row("file not replaced, an error without words",
        Words(FileResult::Failure(FileAction::CreateTemporary, "/p/Tilvaren.tmp", 9999)),
        "\"/p/Tilvaren.tmp\" を保存する一時ファイルを同じフォルダーに作れません（システムのエラー番号 9999）");
    row("file: no failure", Words(FileResult::Success()), "");
    ParsedRecord damaged = ParseGameRecord("6,--,-,-,0,,0");
    row("record: too few fields", Words(damaged.problem), "行の項目が69ではなく7です");
    std::string emptyCell = "6,--,-,-,,";
    for (int n = 1; n < 60; ++n) emptyCell += "0,";
    damaged = ParseGameRecord(emptyCell + "0000");
    row("record: an empty cell", Words(damaged.problem), "セル0が空です");
    row("internal error", Words(InternalErrorText("ChangeTo307", "61")), "例外発生 ChangeTo307 引数=61");

    row("cell: empty", Words(CellLabel{2, 5, kEmpty}), "2行 5列 空き");
    row("cell: selected", Words(CellLabel{1, 10, kSelected}), "1行 10列 選択中");
    row("cell: blocked", Words(CellLabel{6, 1, kBlocked}), "6行 1列 使えない");
    row("cell: a piece", Words(CellLabel{3, 3, 'W'}), "3行 3列 ピース W");
    row("panel: a piece placed", PiecePanelWords(0, PieceLook::Placed), "ピース F 盤上");
    row("panel: a piece possible", PiecePanelWords(11, PieceLook::Plain), "ピース Z 置ける");
    row("panel: a piece ruled out", PiecePanelWords(5, PieceLook::RuledOut), "ピース T 置けない");
    row("panel: the frame", FramePanelWords("4 * 15"), "フレーム 4 * 15");
    row("frame caption", FrameCaption(5), "５×12");
}

}  // namespace

void WordingTest::EachFactReadsAsTheGameSaysIt_data() { AddRows(); }

void WordingTest::EachFactReadsAsTheGameSaysIt() {
    QFETCH(QString, words);
    QFETCH(QString, expected);
    QCOMPARE(words, expected);
}

void WordingTest::EachFactHasEnglishWords_data() {
    QVERIFY(UseLanguage(Language::English));
    AddRows();
    QVERIFY(UseLanguage(Language::Japanese));
}

// Every fact in English: no Japanese left, nothing lost (what the game names
// by number or letter is still there).
void WordingTest::EachFactHasEnglishWords() {
    QFETCH(QString, words);
    QFETCH(QString, expected);
    QVERIFY2(!testing::HasJapanese(words), qPrintable(words));
    QCOMPARE(words.isEmpty(), expected.isEmpty());
    static const QRegularExpression figures(QStringLiteral("[0-9]+|\\b[A-Z]\\b|/p[^ \"]*|Tilvaren\\.[a-z]+"));
    for (auto m = figures.globalMatch(expected); m.hasNext();) {
        const QString figure = m.next().captured();
        QVERIFY2(words.contains(figure), qPrintable(figure + " lost from: " + words));
    }
}

}  // namespace tilvaren

QTEST_GUILESS_MAIN(tilvaren::WordingTest)
#include "WordingTest.moc"
