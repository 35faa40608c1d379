// The fixed lists of the window: a shared sorted list shown through a small
// model, and items appended in one insertion, must leave a combo box exactly
// as adding the items one by one (and sorting the model) does.

#include "ui/ChoiceListModel.h"
#include "ui/ComboItems.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStringListModel>
#include <QtTest>

using namespace ZelkNimbo;

namespace {

// Awkward texts for sorting: equal texts (order must stay stable), case,
// accents, digits and an empty text.
QVector<Choice> awkwardChoices()
{
    return {{QStringLiteral("beta"), QStringLiteral("b1")},   {QStringLiteral("Alpha"), QStringLiteral("a1")},
            {QStringLiteral("alpha"), QStringLiteral("a2")},  {QStringLiteral("\u00c9cole"), QStringLiteral("e1")},
            {QStringLiteral("beta"), QStringLiteral("b2")},   {QString(), QStringLiteral("empty")},
            {QStringLiteral("10"), QStringLiteral("ten")},    {QStringLiteral("9"), QStringLiteral("nine")},
            {QStringLiteral("Zulu"), QStringLiteral("z1")},   {QStringLiteral("beta"), QStringLiteral("b3")}};
}

// The reference: one addItem() per choice, the model sorted by text, then
// an optional item inserted on top.
void fillOneByOne(QComboBox* list, const QVector<Choice>& choices, const Choice* leading)
{
    for (const Choice& choice : choices)
        list->addItem(choice.text, choice.data);
    list->model()->sort(0, Qt::AscendingOrder);
    if (leading)
        list->insertItem(0, leading->text, leading->data);
}

void fillShared(QComboBox* list, const QVector<Choice>& choices, const Choice* leading)
{
    const auto sorted = QSharedPointer<const SortedChoices>::create(choices);
    auto* model = leading ? new ChoiceListModel(*leading, sorted, list) : new ChoiceListModel(sorted, list);
    list->setModel(model);
    if (sorted->size() > 0)
        list->setCurrentIndex(model->rowOfSorted(sorted->rowOfInput(0)));
}

void compareLists(const QComboBox& actual, const QComboBox& expected)
{
    QCOMPARE(actual.count(), expected.count());
    for (int row = 0; row < expected.count(); ++row) {
        QCOMPARE(actual.itemText(row), expected.itemText(row));
        QCOMPARE(actual.itemData(row), expected.itemData(row));
        QCOMPARE(actual.itemData(row).isValid(), expected.itemData(row).isValid());
    }
    QCOMPARE(actual.currentIndex(), expected.currentIndex());
    QCOMPARE(actual.currentText(), expected.currentText());
}

} // namespace

class ChoiceListsTest : public QObject {
    Q_OBJECT

private slots:
    void sharedListMatchesOneByOne_data()
    {
        QTest::addColumn<bool>("withLeading");
        QTest::newRow("plain") << false;
        QTest::newRow("leading item") << true;
    }

    void sharedListMatchesOneByOne()
    {
        QFETCH(bool, withLeading);
        const Choice leading{QStringLiteral("None"), QVariant()};
        QComboBox expected, actual;
        fillOneByOne(&expected, awkwardChoices(), withLeading ? &leading : nullptr);
        fillShared(&actual, awkwardChoices(), withLeading ? &leading : nullptr);
        compareLists(actual, expected);

        // findData gives the same row for every datum, one that is not
        // there, a null variant (the leading item's data) and a non-string.
        QVariantList probes{QStringLiteral("nowhere"), QVariant(), QVariant(3), QString()};
        for (const Choice& choice : awkwardChoices())
            probes.append(choice.data);
        for (const QVariant& probe : probes)
            QCOMPARE(actual.findData(probe), expected.findData(probe));
        QCOMPARE(actual.findText(QStringLiteral("beta")), expected.findText(QStringLiteral("beta")));
    }

    void emptyListsMatchOneByOne()
    {
        const Choice leading{QStringLiteral("System Encoding (Default)"), QStringLiteral("system")};
        QComboBox expectedPlain, actualPlain, expectedLeading, actualLeading;
        fillOneByOne(&expectedPlain, {}, nullptr);
        fillShared(&actualPlain, {}, nullptr);
        compareLists(actualPlain, expectedPlain);
        fillOneByOne(&expectedLeading, {}, &leading);
        fillShared(&actualLeading, {}, &leading);
        compareLists(actualLeading, expectedLeading);
        QCOMPARE(actualLeading.findData(QStringLiteral("system")), 0);
    }

    void sortedRowsRecordWhereEachInputWent()
    {
        const QVector<Choice> input = awkwardChoices();
        const SortedChoices sorted(input);
        QCOMPARE(sorted.size(), input.size());
        for (int i = 0; i < input.size(); ++i)
            QCOMPARE(sorted.at(sorted.rowOfInput(i)).data, input.at(i).data);
        // Equal texts keep their input order.
        QVERIFY(sorted.rowOfInput(0) < sorted.rowOfInput(4));
        QVERIFY(sorted.rowOfInput(4) < sorted.rowOfInput(9));
        QCOMPARE(sorted.rowOfInput(input.size()), -1);
    }

    void bulkAppendMatchesOneByOne_data()
    {
        QTest::addColumn<bool>("editable");
        QTest::addColumn<bool>("startEmpty");
        QTest::newRow("fixed, empty") << false << true;
        QTest::newRow("editable, empty") << true << true;
        QTest::newRow("fixed, with items") << false << false;
    }

    void bulkAppendMatchesOneByOne()
    {
        QFETCH(bool, editable);
        QFETCH(bool, startEmpty);
        const QVector<Choice> items{{QStringLiteral("Off"), QStringLiteral("off")},
                                    {QStringLiteral("25p"), QVariant()},
                                    {QStringLiteral("Full"), QStringLiteral("full")}};
        QComboBox expected, actual;
        for (QComboBox* list : {&expected, &actual}) {
            list->setEditable(editable);
            if (!startEmpty)
                list->addItem(QStringLiteral("first"), QStringLiteral("0"));
        }
        QSignalSpy expectedChanges(&expected, SIGNAL(currentIndexChanged(int)));
        QSignalSpy actualChanges(&actual, SIGNAL(currentIndexChanged(int)));
        for (const Choice& item : items)
            expected.addItem(item.text, item.data);
        appendItems(&actual, items);
        compareLists(actual, expected);
        QCOMPARE(actualChanges.count(), expectedChanges.count());
        if (editable)
            QCOMPARE(actual.currentText(), expected.currentText());
        // Typed text is still added to an editable list's own model.
        if (editable) {
            actual.lineEdit()->setText(QStringLiteral("24/1"));
            QTest::keyClick(actual.lineEdit(), Qt::Key_Return);
            QCOMPARE(actual.count(), expected.count() + 1);
        }
    }

    void bulkAppendOnAnotherModelAddsEachItem()
    {
        QComboBox list;
        list.setModel(new QStringListModel(&list));
        appendItems(&list, {{QStringLiteral("one"), QVariant()}, {QStringLiteral("two"), QVariant()}});
        QCOMPARE(list.count(), 2);
        QCOMPARE(list.itemText(1), QStringLiteral("two"));
    }
};

QTEST_MAIN(ChoiceListsTest)
#include "tst_choice_lists.moc"
