// CalculateGrade on any window and any replies: the test type, the
// wrong-answer rule, the four field texts, the decimal separator and every
// reply (a text, or Cancel) come from the input. The prompter checks each
// dialog against what the click may show at that point, and the captions are
// checked once it returns:
// - nothing is thrown;
// - the three captions are cleared first, and the grade captions are
//   written last, both or neither;
// - no caption ever shows "inf" or "nan";
// - a type-B question is asked again until its reply is a number from 0 to
//   5, then the next one, never beyond the count read from txtb; the count
//   prompts come in their order, each until its reply reads from 0 to the
//   count read from txtc; a Cancel on a type-B prompt ends the click;
// - at most one message, each in its place, and a grade exactly when the
//   prompts went through without one;
// - the grade in tenths lies from 1.00 to 10.00, and the grade in
//   fifteenths is the row of the table that the tenths shown allow;
// - both are exactly those of the grade that the scoring rules give for the
//   replies accepted, recomputed here in the rules' own order.
// When the input runs out the prompter cancels a type-B prompt and answers
// "0" to a count prompt, which every count accepts, so that every run ends.

#include "calc/calculate_grade.h"
#include "calc/grade_conversion.h"
#include "calc/number_text.h"
#include "calc/prompter.h"
#include "calc/result_view.h"
#include "calc/window_values.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/support/recording_view.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

using namespace morvelt;
using namespace morvelt::fuzz;
using morvelt::fakes::Caption;
using morvelt::fakes::CaptionWrite;
using morvelt::fakes::RecordingView;

namespace {

constexpr std::string_view Title = "Punteggi";
constexpr std::string_view EmptyCount = "Inserire il numero di quesiti!";
constexpr std::string_view EmptyShape = "Inserire tutti i dati richiesti!";
constexpr std::string_view BadShape = "Controlla tutti i dati richiesti";
constexpr std::string_view SumDiffersC =
    "giuste + non date + sbagliate deve essere uguale al numero di quesiti";
constexpr std::string_view SumDiffersMixed =
    "per la tipologia C, giuste + non date + sbagliate deve essere uguale al numero di quesiti";

struct FuzzedWindow : WindowValues {
    std::optional<TestKind> kind;
    std::optional<WrongAnswerRule> rule;
    std::array<std::string, 4> texts; // txtb, txtc, txtitem, txtpeso

    bool IsSelected(TestKind k) const override { return kind == k; }
    bool IsSelected(WrongAnswerRule r) const override { return rule == r; }
    std::string Text(Field field) const override { return texts[static_cast<size_t>(field)]; }

    std::string Describe() const
    {
        std::string d = "kind ";
        d += !kind ? "none" : *kind == TestKind::B ? "B" : *kind == TestKind::C ? "C" : "Mixed";
        d += ", rule ";
        d += !rule ? "none" : *rule == WrongAnswerRule::Penalize ? "Penalize" : "SameAsBlank";
        d += ", txtb " + Quoted(texts[0]) + ", txtc " + Quoted(texts[1]) + ", txtitem "
             + Quoted(texts[2]) + ", txtpeso " + Quoted(texts[3]);
        return d;
    }
};

// The recording view, with every caption checked as it is written.
class CheckedView : public RecordingView {
public:
    explicit CheckedView(const std::string& context)
        : m_context(context)
    {
    }

private:
    void Check(std::string_view text) override
    {
        fuzz::Check(!ShowsNonNumber(text), "no caption shows inf or nan",
                    [&] { return Quoted(text) + " written; " + m_context; });
    }

    const std::string& m_context;
};

class FuzzedPrompter : public Prompter {
public:
    enum class Stage { TypeB, Counts, Done, Ended };

    FuzzedPrompter(FuzzedDataProvider& input, const FuzzedWindow& window,
                   std::string_view separator, const CheckedView& view, std::string& context)
        : m_input(input)
        , m_window(window)
        , m_separator(separator)
        , m_view(view)
        , m_context(context)
        , m_inputSize(input.remaining_bytes())
    {
        const bool mixed = window.kind == TestKind::Mixed;
        m_bSuffix = mixed ? " tipologia B" : "";
        const std::string cSuffix = mixed ? " tipologia C" : "";
        const bool ruled = window.rule.has_value();
        m_penalize = window.rule == WrongAnswerRule::Penalize;
        if ((window.kind == TestKind::C || mixed) && ruled) {
            m_countPrompts.push_back("Numero di risposte giuste" + cSuffix);
            if (m_penalize) {
                m_countPrompts.push_back("Numero di risposte non date" + cSuffix);
                m_countPrompts.push_back("Numero di risposte sbagliate" + cSuffix);
            }
        }
        m_blockRuns = window.kind == TestKind::B || !m_countPrompts.empty();
        if (!m_blockRuns)
            m_stage = Stage::Done;
        else
            m_stage = window.kind == TestKind::C ? Stage::Counts : Stage::TypeB;
        m_nB = ReadCount(window.Text(Field::txtb));
        m_nC = ReadCount(window.Text(Field::txtc));
    }

    std::optional<std::string> AskText(std::string_view prompt, std::string_view title) override
    {
        ++m_prompts;
        const auto shown = [&] { return "prompt " + Quoted(prompt) + "; " + m_context; };
        Check(m_prompts <= m_inputSize + m_countPrompts.size() + 1,
              "every prompt but the last few takes a reply from the input", shown);
        Check(m_view.Writes().size() >= 3, "the captions are cleared before any prompt", shown);
        Check(title == Title, "every prompt is titled Punteggi", shown);
        Check(m_stage != Stage::Ended, "no prompt after a message or a type-B Cancel", shown);
        Check(m_stage != Stage::Done, "no prompt once the last one is answered", shown);
        Check(m_view.Punti() == m_punti,
              "lblpunti shows the accepted type-B replies as typed while prompting", [&] {
                  return shown() + ", lblpunti " + Quoted(m_view.Punti()) + ", expected "
                         + Quoted(m_punti);
              });

        std::optional<std::string> reply;
        if (m_stage == Stage::TypeB) {
            const std::string expected = "Punti (da 0 a 5) per l'esercizio n."
                                         + std::to_string(m_question) + m_bSuffix;
            Check(prompt == expected, "type-B questions are asked in order",
                  [&] { return shown() + ", expected " + Quoted(expected); });
            Check(static_cast<double>(m_question) <= m_nB,
                  "no type-B question beyond the count read from txtb", shown);
            if (m_input.remaining_bytes() > 0 && m_input.ConsumeIntegralInRange(0, 15) != 0)
                reply = m_input.ConsumeRandomLengthString(40);
            Log("reply", reply);
            if (!reply) {
                m_stage = Stage::Ended; // Cancel lets the teacher out
                return reply;
            }
            const double mark = ReplyValue(*reply, m_separator);
            if (mark >= 0 && mark <= 5) {
                m_punti += " +" + *reply;
                m_marks.push_back(mark);
                ++m_question;
                if (static_cast<double>(m_question) > m_nB)
                    m_stage = m_countPrompts.empty() ? Stage::Done : Stage::Counts;
            }
            return reply;
        }

        const std::string& expected = m_countPrompts[m_counts.size()];
        Check(prompt == expected, "the count prompts come in their order",
              [&] { return shown() + ", expected " + Quoted(expected); });
        if (m_input.remaining_bytes() == 0)
            reply = "0";
        else if (m_input.ConsumeIntegralInRange(0, 15) != 0)
            reply = m_input.ConsumeRandomLengthString(40);
        Log("count", reply);
        const double count = ReadNumber(reply.value_or(""));
        if (count >= 0 && count <= m_nC) {
            m_counts.push_back(count);
            if (m_counts.size() == m_countPrompts.size())
                m_stage = Stage::Done;
        }
        return reply;
    }

    void ShowMessage(std::string_view text) override
    {
        const std::string shown = "message " + Quoted(text) + "; " + m_context;
        Check(m_blockRuns, "no message when no scoring block runs", shown);
        Check(m_view.Writes().size() >= 3, "the captions are cleared before any message", shown);
        Check(m_stage != Stage::Ended, "at most one message, none after a type-B Cancel", shown);
        const auto& texts = m_window.texts;
        if (text == SumDiffersC || text == SumDiffersMixed) {
            Check(text == (m_window.kind == TestKind::Mixed ? SumDiffersMixed : SumDiffersC),
                  "the sum message of the test type", shown);
            Check(m_stage == Stage::Done && m_penalize && SumDiffers(),
                  "the sum message once the three counts do not add up", shown);
        } else if (text == EmptyCount) {
            const std::string& count = texts[m_window.kind == TestKind::B ? 0 : 1];
            Check(m_prompts == 0 && m_window.kind != TestKind::Mixed && count.empty(),
                  "the empty-count message for an empty count, before any prompt", shown);
        } else if (text == EmptyShape) {
            Check(m_prompts == 0 && m_window.kind == TestKind::Mixed
                      && (texts[0].empty() || texts[1].empty() || texts[3].empty()),
                  "the empty-shape message for an empty field, before any prompt", shown);
        } else if (text == BadShape) {
            Check(m_prompts == 0 && m_window.kind == TestKind::Mixed && !texts[0].empty()
                      && !texts[1].empty() && !texts[3].empty(),
                  "the bad-shape message for filled fields, before any prompt", shown);
        } else {
            Fail("only the calculation's own messages", shown);
        }
        m_messages.push_back(std::string(text));
        m_stage = Stage::Ended;
    }

    // After the click: a grade exactly when the prompts went through.
    void CheckGradeShown(bool shown) const
    {
        const bool completed = m_prompts > 0 && m_stage == Stage::Done && m_messages.empty();
        const bool sumMessage = m_stage == Stage::Ended && !m_messages.empty()
                                && (m_messages[0] == SumDiffersC
                                    || m_messages[0] == SumDiffersMixed);
        Check(shown == completed, "a grade exactly when every prompt was answered and no message",
              m_context);
        if (m_blockRuns && m_penalize && m_counts.size() == 3)
            Check(SumDiffers() == sumMessage, "the sum message exactly when the counts differ",
                  m_context);
        if (shown)
            Check(m_view.Punti().starts_with(m_punti), "the breakdown builds on what was shown",
                  "lblpunti " + Quoted(m_view.Punti()) + "; " + m_context);
    }

    // The grade in tenths of a completed click, computed as the scoring rules
    // state it: each value read with the conversion the rule names, each
    // formula evaluated in the rule's order.
    double ModelGrade() const
    {
        const double weight = ReadNumber(m_window.Text(Field::txtpeso));
        const double items = ReadCount(m_window.Text(Field::txtitem));
        const bool mixed = m_window.kind == TestKind::Mixed;
        double total = 0;
        for (double mark : m_marks)
            total += mixed && m_penalize ? mark * weight : mark;
        if (m_window.kind == TestKind::B)
            return 1 + 9 * (total / (m_nB * 5));
        const double correct = m_counts[0];
        if (!mixed && m_penalize) {
            total = correct * items + m_counts[1];
            return (total / (m_nC * items)) * 9 + 1;
        }
        if (!mixed)
            return (correct / m_nC) * 9 + 1;
        if (m_penalize) {
            total = (total + correct * items) + m_counts[1];
            return 1 + 9 * (total / (m_nC * items + (5 * m_nB) * weight));
        }
        total = total + (correct * 5) / weight;
        if (total == 0)
            return 1;
        return 2 + 8 * (total / ((m_nC * 5) / weight + 5 * m_nB));
    }

private:
    // (correct + wrong) + blank, in this order, against the count of questions.
    bool SumDiffers() const
    {
        return m_counts.size() == 3 && (m_counts[0] + m_counts[2]) + m_counts[1] != m_nC;
    }

    void Log(std::string_view what, const std::optional<std::string>& reply)
    {
        m_context += "; " + std::string(what) + " " + (reply ? Quoted(*reply) : "Cancel");
    }

    FuzzedDataProvider& m_input;
    const FuzzedWindow& m_window;
    std::string_view m_separator;
    const CheckedView& m_view;
    std::string& m_context;
    const size_t m_inputSize;

    std::string m_bSuffix;
    std::vector<std::string> m_countPrompts;
    bool m_penalize = false;
    bool m_blockRuns = false;
    Stage m_stage = Stage::Done;
    double m_nB = 0;
    double m_nC = 0;

    size_t m_prompts = 0;
    long long m_question = 1;
    std::string m_punti;
    std::vector<double> m_marks;  // the accepted type-B replies, read
    std::vector<double> m_counts; // the accepted counts, read
    std::vector<std::string> m_messages;
};

// lblvoto10 and lblvoto15 together: the tenths from 1.00 to 10.00 with the
// separator, the fifteenths the row that the shown tenths allow. The tenths
// shown are the grade rounded, so the grade lies within half a hundredth of
// them; no bound (a multiple of 0.1) lies on the edge of that interval, and
// only a shown value equal to a bound leaves two rows possible. Then both
// against grade10, the grade recomputed from the replies.
void CheckGradeCaptions(const CheckedView& view, std::string_view separator, double grade10,
                        const std::string& context)
{
    const std::string& tenths = view.Voto10();
    const std::string& fifteenths = view.Voto15();
    const std::string shown = "lblvoto10 " + Quoted(tenths) + ", lblvoto15 " + Quoted(fifteenths)
                              + "; " + context;

    const size_t at = tenths.size() >= separator.size() + 3 ? tenths.size() - 2 - separator.size()
                                                            : std::string::npos;
    bool shape = at != std::string::npos && at >= 1
                 && tenths.compare(at, separator.size(), separator) == 0;
    int hundredths = 0;
    for (size_t i = 0; shape && i < tenths.size(); ++i) {
        if (i >= at && i < at + separator.size())
            continue;
        shape = IsDigit(tenths[i]) && hundredths < 100'000;
        hundredths = hundredths * 10 + (tenths[i] - '0');
    }
    Check(shape, "the grade in tenths has digits, the separator and two decimals", shown);
    Check(hundredths >= 100 && hundredths <= 1000, "the grade in tenths lies from 1 to 10", shown);

    int grade15 = 0;
    bool digits = !fifteenths.empty() && fifteenths.size() <= 2 && fifteenths[0] != '0';
    for (char c : fifteenths) {
        digits = digits && IsDigit(c);
        grade15 = grade15 * 10 + (c - '0');
    }
    Check(digits && grade15 >= 1 && grade15 <= 15, "the grade in fifteenths is 1 to 15", shown);

    // In units of half a hundredth the grade lies from 2h - 1 to 2h + 1, and a
    // bound of b tenths sits at 20b.
    int lowest = 1;
    int highest = 1;
    for (double bound : FifteenthsTable) {
        const long tenths = std::lround(bound * 10);
        lowest += 20 * tenths < 2 * hundredths - 1;
        highest += 20 * tenths < 2 * hundredths + 1;
    }
    Check(grade15 >= lowest && grade15 <= highest,
          "the grade in fifteenths is the row of the grade in tenths", shown);

    // With the grade itself: its row of the table exactly, and the tenths its
    // decimal rounded to the nearest hundredth, half-way upwards.
    int row = 1;
    for (double bound : FifteenthsTable)
        row += bound < grade10;
    const std::string withGrade = shown + ", grade " + FixedRepr(grade10);
    Check(grade15 == row, "the grade in fifteenths is the row of the grade", withGrade);
    Check(IsDecimalHundredths(grade10, hundredths),
          "the grade in tenths is the grade's decimal rounded, half-way upwards", withGrade);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);

    FuzzedWindow window;
    // Each last one is a state the window never reaches, which the calculation
    // accepts.
    window.kind = input.PickValueInArray<std::optional<TestKind>>(
        {TestKind::B, TestKind::C, TestKind::Mixed, std::nullopt});
    window.rule = input.PickValueInArray<std::optional<WrongAnswerRule>>(
        {WrongAnswerRule::Penalize, WrongAnswerRule::SameAsBlank, std::nullopt});
    // The decimal separators of the user's locale: Italian, English, Arabic.
    const std::string_view separator = input.PickValueInArray({",", ".", "\xd9\xab"});
    for (std::string& text : window.texts)
        text = input.ConsumeRandomLengthString(40);

    std::string context = window.Describe() + ", separator " + Quoted(separator);
    CheckedView view(context);
    FuzzedPrompter prompter(input, window, separator, view, context);
    try {
        CalculateGrade(window, prompter, view, separator);
    } catch (...) {
        Fail("nothing is thrown", context);
    }

    const std::vector<CaptionWrite>& writes = view.Writes();
    Check(writes.size() >= 3 && writes[0].caption == Caption::lblpunti && writes[0].text.empty()
              && writes[1].caption == Caption::lblvoto10 && writes[1].text.empty()
              && writes[2].caption == Caption::lblvoto15 && writes[2].text.empty(),
          "the three captions are cleared first, in order", context);
    size_t gradeWrites = 0;
    for (size_t i = 3; i < writes.size(); ++i) {
        if (writes[i].caption != Caption::lblpunti) {
            ++gradeWrites;
            Check(i + 2 >= writes.size(), "the grade captions are written last", context);
        }
    }
    const bool gradeShown = gradeWrites > 0;
    Check(gradeWrites == 0
              || (gradeWrites == 2 && writes[writes.size() - 2].caption == Caption::lblvoto10
                  && writes.back().caption == Caption::lblvoto15),
          "lblvoto10 then lblvoto15, once each", context);
    prompter.CheckGradeShown(gradeShown);
    if (gradeShown)
        CheckGradeCaptions(view, separator, prompter.ModelGrade(), context);
    return 0;
}
