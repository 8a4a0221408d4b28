#include "content/quiz_loader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "content/lzw.h"
#include "content/quiz_writer.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Pack(const std::string& raw) {
  return LzwPack(reinterpret_cast<const uint8_t*>(raw.data()), raw.size());
}

Bytes Header(const std::string& link, const std::string& status) {
  Bytes h = Pack(std::string("\0\0", 2) + link + "|" + status + "|");
  h.resize(HEADER_BLOCK_SIZE, 0);
  return h;
}

PackedBlock Block(const Bytes& b) { return PackedBlock{b.data(), b.size(), true}; }
constexpr PackedBlock kMissing{nullptr, 0, false};

// A loaded record and the messages the loader showed.
struct Loaded {
  QuizRecord quiz;
  LoadOutcome outcome;
  std::vector<std::string> messages;
  Loaded() { InitQuizRecord(&quiz); }
  ~Loaded() { FreeQuestions(&quiz); }
};

void Collect(void* context, const char* text) {
  static_cast<Loaded*>(context)->messages.push_back(text);
}

void Load(Loaded* l, PackedBlock header, PackedBlock definition, PackedBlock codes) {
  l->outcome = LoadQuizFromBlocks(&l->quiz, QuizBlocks{header, definition, codes}, Collect, l);
}

// Definition bytes: unused byte, kind + 1, count, answers, five header texts.
std::string Definition(int kind, int count, int answers, const std::string& rest) {
  std::string d;
  d += '\0';
  d += static_cast<char>(kind + 1);
  d += static_cast<char>(count);
  d += static_cast<char>(answers);
  return d + "Titre|Auteur|Explication|Nom|Pays|" + rest;
}

QuizContent SampleQuiz() {
  QuizContent q;
  q.kind = 1;
  q.answers_per_question = 2;
  q.title = "Capitales";
  q.author = " Mme Dupont";
  q.explanation = "Trouvez la ville et le pays";
  q.answer_label = "Ville";
  q.second_answer_label = "Pays";
  q.questions = {{"Paris", "France", "", "Ville lumi\xE8re"}, {"Rome", "Italie", "", "Louve"},
                 {"Madrid", "-", "", "Prado"}};
  q.hint_mode = 3;
  q.colour_red = 51;
  q.colour_green = 102;
  q.colour_blue = 255;
  q.codes = {"UN", "", "TROIS"};
  q.link = "www.example.fr";
  q.status_text = "Classe de 4e B";
  return q;
}

void ExpectSample(const QuizRecord& quiz) {
  EXPECT_EQ(quiz.kind, 1);
  EXPECT_EQ(quiz.question_count, 3);
  EXPECT_EQ(quiz.answers_per_question, 2);
  EXPECT_STREQ(quiz.title, "Capitales");
  EXPECT_STREQ(quiz.author, " Mme Dupont");
  EXPECT_STREQ(quiz.second_answer_label, "Pays");
  EXPECT_STREQ(QuestionAt(&quiz, 0)->second_answer, "France");
  EXPECT_STREQ(QuestionAt(&quiz, 0)->hint, "Ville lumi\xE8re");
  EXPECT_STREQ(QuestionAt(&quiz, 2)->answer, "Madrid");
  EXPECT_STREQ(QuestionAt(&quiz, 2)->second_answer, "-");
  EXPECT_EQ(quiz.hint_mode, 3);
  EXPECT_EQ(quiz.colour_red, 51);
  EXPECT_EQ(quiz.colour_green, 102);
  EXPECT_EQ(quiz.colour_blue, 255);
  EXPECT_STREQ(quiz.score_codes[0], "UN");
  EXPECT_STREQ(quiz.score_codes[1], "");
  EXPECT_STREQ(quiz.score_codes[2], "TROIS");
  EXPECT_STREQ(quiz.link, "www.example.fr");
  EXPECT_STREQ(quiz.status_text, "Classe de 4e B");
}

TEST(QuizWriterAndLoader, RoundTripPlainAndScrambled) {
  for (bool scrambled : {false, true}) {
    SCOPED_TRACE(scrambled ? "scrambled" : "plain");
    QuizContent content = SampleQuiz();
    content.scrambled = scrambled;
    QuizBlocksData blocks;
    std::string where;
    ASSERT_EQ(WriteQuizBlocks(content, &blocks, &where), WRITE_OK) << where;
    ASSERT_EQ(blocks.header.size(), HEADER_BLOCK_SIZE);
    Loaded l;
    Load(&l, Block(blocks.header), Block(blocks.definition), Block(blocks.codes));
    EXPECT_EQ(l.outcome, LOAD_OK);
    EXPECT_TRUE(l.messages.empty());
    ExpectSample(l.quiz);
  }
}

TEST(QuizLoader, KeyPositionRunsFromHeaderIntoDefinitionAndRestartsForCodes) {
  const Bytes definition = Pack(Definition(0, 1, 1, "Oui|Question|") + std::string(1, '\0') + "\x0A\x0B\x0C");
  const Bytes codes = Pack("CODE\r\n");
  auto scrambled = [](Bytes b, int key_position) {
    DescrambleBlock(b.data(), b.size(), &key_position);
    return b;
  };
  Bytes plain_header = Header("lien", "statut");
  Bytes scrambled_header = scrambled(plain_header, 0);
  struct Case {
    const char* name;
    Bytes header;
    int definition_key;
  };
  const Case cases[] = {
      {"plain header: definition from key position 0", plain_header, 0},
      {"scrambled header (69 bytes): definition from position 6", scrambled_header, 6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Bytes def = scrambled(definition, c.definition_key);
    EXPECT_EQ(def[0], definition[0]);  // byte 0 is never changed
    EXPECT_EQ(def[1], definition[1] ^ static_cast<uint8_t>(SCRAMBLE_KEY[c.definition_key]));
    Loaded l;
    Load(&l, Block(c.header), Block(def), Block(scrambled(codes, 0)));
    EXPECT_EQ(l.outcome, LOAD_OK);
    EXPECT_STREQ(l.quiz.link, "lien");
    EXPECT_STREQ(QuestionAt(&l.quiz, 0)->question_text, "Question");
    EXPECT_STREQ(l.quiz.score_codes[0], "CODE");
    EXPECT_EQ(l.quiz.colour_blue, 0x0C);
  }
}

TEST(QuizLoader, UnpackedAsStoredLeavesKeyPositionAlone) {
  Bytes b = Pack("abc");
  int key_position = 5;
  uint8_t* out = nullptr;
  size_t size = 0;
  EXPECT_EQ(UnpackBlock(Block(b), &key_position, &out, &size), UNPACK_OK);
  EXPECT_EQ(key_position, 5);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(out), size), "abc");
  free(out);
}

TEST(QuizLoader, OutcomesLeaveTheRecordAsDocumented) {
  const Bytes header = Header("lien", "statut");
  const Bytes good = Pack(Definition(0, 2, 1, "A|Qa|B|Qb|") + std::string("\0\x01\x02\x03", 4));
  const Bytes garbage = {0xFF, 0xFF, 0xFF, 0xFF};
  const Bytes codes = Pack("X\r\nY\r\n");
  {
    SCOPED_TRACE("header error");
    Loaded l;
    Load(&l, Block(garbage), Block(good), Block(codes));
    EXPECT_EQ(l.outcome, LOAD_HEADER_ERROR);
    EXPECT_EQ(l.messages, std::vector<std::string>{MSG_HEADER_ERROR});
    EXPECT_EQ(l.quiz.question_count, 0);
    EXPECT_STREQ(l.quiz.title, "nom du lumbo");
    EXPECT_EQ(l.quiz.first_question, nullptr);
  }
  {
    SCOPED_TRACE("definition missing: demonstration quiz, codes never read");
    Loaded l;
    Load(&l, Block(header), kMissing, Block(codes));
    EXPECT_EQ(l.outcome, LOAD_NO_DEFINITION);
    EXPECT_EQ(l.messages, std::vector<std::string>{MSG_NO_DEFINITION});
    EXPECT_STREQ(l.quiz.title, "Nom du lumbo");
    EXPECT_STREQ(l.quiz.author, "Createur lumbo");
    EXPECT_STREQ(l.quiz.explanation, "Explications du lumbo");
    EXPECT_EQ(l.quiz.question_count, 7);
    EXPECT_EQ(l.quiz.kind, QUIZ_PICTURE);
    EXPECT_EQ(l.quiz.hint_mode, 3);
    EXPECT_EQ(l.quiz.colour_red, 51);
    EXPECT_EQ(l.quiz.colour_green, 102);
    EXPECT_EQ(l.quiz.colour_blue, 255);
    EXPECT_EQ(QuestionAt(&l.quiz, 6), QuestionAt(&l.quiz, 1));
    EXPECT_NE(QuestionAt(&l.quiz, 0), QuestionAt(&l.quiz, 1));
    EXPECT_STREQ(QuestionAt(&l.quiz, 1)->question_text, "emplacement");
    EXPECT_STREQ(l.quiz.score_codes[0], "");
    EXPECT_STREQ(l.quiz.link, "lien");
  }
  {
    SCOPED_TRACE("definition error");
    Loaded l;
    Load(&l, Block(header), Block(garbage), Block(codes));
    EXPECT_EQ(l.outcome, LOAD_DEFINITION_ERROR);
    EXPECT_EQ(l.messages, std::vector<std::string>{MSG_DEFINITION_ERROR});
    EXPECT_EQ(l.quiz.question_count, 0);
    EXPECT_STREQ(l.quiz.status_text, "statut");
    EXPECT_STREQ(l.quiz.title, "nom du lumbo");
  }
  {
    SCOPED_TRACE("codes missing");
    Loaded l;
    Load(&l, Block(header), Block(good), kMissing);
    EXPECT_EQ(l.outcome, LOAD_CODES_ERROR);
    EXPECT_EQ(l.messages, std::vector<std::string>{MSG_CODES_ERROR});
    EXPECT_EQ(l.quiz.question_count, 2);
    EXPECT_STREQ(QuestionAt(&l.quiz, 1)->answer, "B");
    EXPECT_STREQ(l.quiz.score_codes[0], "");
  }
}

// Raw definitions the writer would never make, each with what the loader
// must make of it.
TEST(QuizLoader, DefinitionLayouts) {
  struct Case {
    const char* name;
    std::string definition;
    bool loads;
    int hint_mode;
    const char* first_hint;
    const char* first_second_answer;
    int blue;
  };
  const std::string colour("\x07\x08\x09", 3);
  const Case cases[] = {
      {"one answer: two texts a question", Definition(0, 1, 1, "A|Q|") + '\0' + colour, true, 0, "",
       "", 9},
      {"answers byte 3: still two texts", Definition(0, 1, 3, "A|Q|") + '\0' + colour, true, 0, "",
       "", 9},
      {"two answers: three texts", Definition(0, 1, 2, "A|B|Q|") + '\0' + colour, true, 0, "", "B", 9},
      {"hint mode 5: colour follows the mode byte", Definition(0, 1, 1, "A|Q|") + '\x05' + colour, true,
       5, "", "", 9},
      {"hint mode 6: first of two hints kept", Definition(0, 1, 1, "A|Q|") + '\x06' + "H1|H2|" + colour,
       true, 6, "H1", "", 9},
      {"hint mode 7: stored, no hint texts", Definition(0, 1, 1, "A|Q|") + '\x07' + colour, true, 7, "",
       "", 9},
      {"hint mode 2: one hint", Definition(0, 1, 1, "A|Q|") + '\x02' + "Indice|" + colour, true, 2,
       "Indice", "", 9},
      {"zero byte ends the stored text", Definition(0, 1, 1, "A|Q|") + '\x02' + std::string("In\0x|", 5) + colour,
       true, 2, "In", "", 9},
      {"ends before the colour", Definition(0, 1, 1, "A|Q|") + '\0' + "\x07", false, 0, "", "", 0},
      {"text without its separator", Definition(0, 1, 1, "A|Q"), false, 0, "", "", 0},
      {"text longer than its field", Definition(0, 1, 1, std::string(260, 'x') + "|Q|") + '\0' + colour,
       false, 0, "", "", 0},
      {"more questions than the tables hold", Definition(0, 97, 1, "") , false, 0, "", "", 0},
      {"only three bytes", std::string("\0\x01\x01", 3), false, 0, "", "", 0},
  };
  const Bytes header = Header("", "");
  const Bytes codes = Pack("C\r\n");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Bytes def = Pack(c.definition);
    Loaded l;
    Load(&l, Block(header), Block(def), Block(codes));
    if (!c.loads) {
      EXPECT_EQ(l.outcome, LOAD_DEFINITION_ERROR);
      EXPECT_EQ(l.quiz.question_count, 0);
      EXPECT_EQ(l.quiz.first_question, nullptr);
      continue;
    }
    EXPECT_EQ(l.outcome, LOAD_OK);
    EXPECT_EQ(l.quiz.hint_mode, c.hint_mode);
    EXPECT_STREQ(QuestionAt(&l.quiz, 0)->hint, c.first_hint);
    EXPECT_STREQ(QuestionAt(&l.quiz, 0)->second_answer, c.first_second_answer);
    EXPECT_EQ(l.quiz.colour_blue, c.blue);
    EXPECT_LE(l.quiz.answers_per_question, 2);
  }
}

TEST(QuizLoader, NoQuestionsAndShortCodeBlocks) {
  const Bytes header = Header("", "");
  {
    SCOPED_TRACE("question count 0");
    Bytes def = Pack(Definition(0, 0, 1, "") + std::string("\x00\x01\x02\x03", 4));
    Bytes codes = Pack("X\r\n");
    Loaded l;
    Load(&l, Block(header), Block(def), Block(codes));
    EXPECT_EQ(l.outcome, LOAD_OK);
    EXPECT_EQ(l.quiz.first_question, nullptr);
    EXPECT_EQ(l.quiz.colour_red, 1);
    EXPECT_STREQ(l.quiz.score_codes[0], "");
  }
  {
    SCOPED_TRACE("fewer code lines than questions; a last line without CR LF");
    Bytes def = Pack(Definition(0, 3, 1, "A|Q|B|Q|C|Q|") + std::string("\x00\x01\x02\x03", 4));
    Bytes codes = Pack("\r\nDEUX");
    Loaded l;
    Load(&l, Block(header), Block(def), Block(codes));
    EXPECT_EQ(l.outcome, LOAD_OK);
    EXPECT_STREQ(l.quiz.score_codes[0], "");
    EXPECT_STREQ(l.quiz.score_codes[1], "DEUX");
    EXPECT_STREQ(l.quiz.score_codes[2], "");
  }
}

TEST(QuizLoader, HeaderTextsNeverOverrunTheirFields) {
  // 26 + 45 characters do not fit 70 packed bytes with 9-bit codes unless
  // they repeat; repeated letters pack small.
  Bytes header = Pack(std::string("\0\0", 2) + std::string(40, 'l') + "|" + std::string(60, 's') + "|");
  ASSERT_LE(header.size(), HEADER_BLOCK_SIZE);
  header.resize(HEADER_BLOCK_SIZE, 0);
  Loaded l;
  Load(&l, Block(header), kMissing, kMissing);
  EXPECT_EQ(std::string(l.quiz.link), std::string(24, 'l'));
  EXPECT_EQ(std::string(l.quiz.status_text), std::string(42, 's'));
}

TEST(QuizWriter, RefusesWhatThePlayerCannotHold) {
  struct Case {
    const char* name;
    void (*change)(QuizContent*);
    WriteError error;
    const char* where;
  };
  const Case cases[] = {
      {"separator in a text", [](QuizContent* q) { q->questions[1].answer = "a|b"; },
       WRITE_TEXT_HAS_SEPARATOR, "question 2 answer"},
      {"title of 260 characters", [](QuizContent* q) { q->title.assign(260, 't'); },
       WRITE_TEXT_TOO_LONG, "title"},
      {"link of 25 characters", [](QuizContent* q) { q->link.assign(25, 'l'); }, WRITE_TEXT_TOO_LONG,
       "link"},
      {"code with a line break", [](QuizContent* q) { q->codes[0] = "A\nB"; },
       WRITE_TEXT_HAS_SEPARATOR, "code 1"},
      {"97 questions", [](QuizContent* q) { q->questions.resize(97); }, WRITE_TOO_MANY_QUESTIONS,
       "questions"},
      {"hint mode 7", [](QuizContent* q) { q->hint_mode = 7; }, WRITE_BAD_HINT_MODE, "hint mode"},
      {"header that does not pack into 70 bytes",
       [](QuizContent* q) {
         q->link = "abcdefghijklmnopqrstuvwx";
         q->status_text = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789012345";
       },
       WRITE_HEADER_TOO_LONG, "link and status"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QuizContent content = SampleQuiz();
    c.change(&content);
    QuizBlocksData blocks;
    std::string where;
    EXPECT_EQ(WriteQuizBlocks(content, &blocks, &where), c.error);
    EXPECT_EQ(where, c.where);
  }
}

TEST(QuizWriter, NinetySixQuestionsLoad) {
  QuizContent content;
  for (int i = 0; i < MAX_QUESTIONS; ++i)
    content.questions.push_back({"R" + std::to_string(i), "", "Q", ""});
  content.codes.assign(MAX_QUESTIONS, "C");
  QuizBlocksData blocks;
  std::string where;
  ASSERT_EQ(WriteQuizBlocks(content, &blocks, &where), WRITE_OK);
  Loaded l;
  Load(&l, Block(blocks.header), Block(blocks.definition), Block(blocks.codes));
  EXPECT_EQ(l.outcome, LOAD_OK);
  EXPECT_STREQ(QuestionAt(&l.quiz, 95)->answer, "R95");
  EXPECT_STREQ(l.quiz.score_codes[95], "C");
}

}  // namespace
