<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="bg_BG">
<context>
    <name>ContentReader</name>
    <message>
        <source>%1:%2: error: %3</source>
        <translation>%1:%2: грешка: %3</translation>
    </message>
    <message>
        <source>%1: error: %2</source>
        <translation>%1: грешка: %2</translation>
    </message>
    <message>
        <source>this line holds an invisible control character (character code %1%2), which the window cannot show; such characters come with text copied out of other programs: delete it, or type the line again</source>
        <translation>на този ред има невидим управляващ знак (код на знака %1%2), който прозорецът не може да покаже; такива знаци идват с текст, копиран от други програми: изтрийте го или напишете реда наново</translation>
    </message>
    <message>
        <source>, NUL</source>
        <translation>, NUL</translation>
    </message>
    <message>
        <source>this line holds %1 characters, but a line may hold at most %2 (a phrase longer than the widest list is cut off anyway); shorten it, and split long instructions or explanations into several lines</source>
        <translation>този ред има %1 знака, а един ред може да има най-много %2 (фраза, по-дълга от най-широкия списък, и без това се отрязва); съкратете го, а дългите указания или обяснения разделете на няколко реда</translation>
    </message>
    <message>
        <source>section [%1] names question %2, but only questions 1 to %3 can have %4; use a number from 1 to %3</source>
        <translation>раздел [%1] посочва въпрос %2, но %4 могат да имат само въпроси от 1 до %3; напишете число от 1 до %3</translation>
    </message>
    <message>
        <source>explanation lines</source>
        <translation>обяснителни редове</translation>
    </message>
    <message>
        <source>a picture</source>
        <translation>картинка</translation>
    </message>
    <message>
        <source>unknown section [%1]%2; the sections are [parameters], [instructions], [left], [right], [explanation switches], [explanation N], [picture flags] and [picture N]; a text line that starts with [ must start with \ instead</source>
        <translation>непознат раздел [%1]%2; разделите са [parameters], [instructions], [left], [right], [explanation switches], [explanation N], [picture flags] и [picture N]; ред с текст, който започва с [, трябва да започва с \ вместо това</translation>
    </message>
    <message>
        <source> (did you mean [%1]?)</source>
        <translation> (може би [%1]?)</translation>
    </message>
    <message>
        <source>section [%1] appears a second time (first on line %2); put all its lines under one header</source>
        <translation>раздел [%1] се среща втори път (за пръв път на ред %2); сложете всичките му редове под едно заглавие</translation>
    </message>
    <message>
        <source>this line starts with spaces and then #; a note for yourself starts with # at the very beginning of the line, so delete the spaces; to keep the line as text, start it with \</source>
        <translation>този ред започва с интервали и после #; бележка за вас започва с # в самото начало на реда, затова изтрийте интервалите; за да остане редът като текст, започнете го с \</translation>
    </message>
    <message>
        <source>this line starts with [ but is not a section header; a header is a name in square brackets alone on its line, such as [left]; to keep the line as text, start it with \</source>
        <translation>този ред започва с [, но не е заглавие на раздел; заглавието е име в квадратни скоби, само на своя ред, например [left]; за да остане редът като текст, започнете го с \</translation>
    </message>
    <message>
        <source>this line stands before any section; put a section header such as [left] above it, or start it with # to make it a comment</source>
        <translation>този ред стои преди всички раздели; сложете над него заглавие на раздел, например [left], или го започнете с #, за да стане бележка</translation>
    </message>
    <message>
        <source>the section [parameters] is missing; add it with six lines: the window caption, the window width, the left list&apos;s left edge and width, the right list&apos;s left edge and width (sizes in twips)</source>
        <translation>липсва разделът [parameters]; добавете го с шест реда: заглавието на прозореца, ширината на прозореца, левият край и ширината на левия списък, левият край и ширината на десния списък (размерите са в туипове)</translation>
    </message>
    <message>
        <source>[parameters] has %1 lines but needs exactly 6: the caption, the window width, the left list&apos;s left edge and width, the right list&apos;s left edge and width</source>
        <translation>[parameters] има %1 реда, а трябва да са точно 6: заглавието, ширината на прозореца, левият край и ширината на левия списък, левият край и ширината на десния списък</translation>
    </message>
    <message>
        <source>the window width</source>
        <translation>ширината на прозореца</translation>
    </message>
    <message>
        <source>the left list&apos;s left edge</source>
        <translation>левия край на левия списък</translation>
    </message>
    <message>
        <source>the left list&apos;s width</source>
        <translation>ширината на левия списък</translation>
    </message>
    <message>
        <source>the right list&apos;s left edge</source>
        <translation>левия край на десния списък</translation>
    </message>
    <message>
        <source>the right list&apos;s width</source>
        <translation>ширината на десния списък</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a usable number for %2; write a whole number of twips such as 3135 (1440 twips make an inch)</source>
        <translation>„%1“ не е подходящо число за %2; напишете цяло число туипове, например 3135 (1440 туипа са един инч)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; for %2 is not a whole number; write a whole number of twips such as %3 (15 twips make a pixel)</source>
        <translation>„%1“ за %2 не е цяло число; напишете цяло число туипове, например %3 (15 туипа са един пиксел)</translation>
    </message>
    <message>
        <source>%1 %2 is too small: a list narrower than %3 twips (%4 pixels) shows little but its scroll bar; write at least %3</source>
        <translation>стойността %2 за %1 е твърде малка: в списък, по-тесен от %3 туипа (%4 пиксела), се вижда почти само лентата за превъртане; напишете поне %3</translation>
    </message>
    <message>
        <source>the window width %1 is too small: the window&apos;s buttons and boxes reach %2 twips from its left side, so the width must be at least %3</source>
        <translation>ширината на прозореца %1 е твърде малка: бутоните и полетата на прозореца стигат до %2 туипа от левия му край, затова ширината трябва да е поне %3</translation>
    </message>
    <message>
        <source>the window width %1 is larger than a screen of 1920 pixels (%2 twips); write at most %2</source>
        <translation>ширината на прозореца %1 е по-голяма от екран с 1920 пиксела (%2 туипа); напишете най-много %2</translation>
    </message>
    <message>
        <source>the left list (left edge %1, width %2) reaches %3 twips, past the right list&apos;s left edge %4, so the lists would overlap; make the left list at most %5 wide or move the right list</source>
        <translation>левият списък (ляв край %1, ширина %2) стига до %3 туипа, отвъд левия край на десния списък %4, така че списъците ще се застъпват; направете левия списък широк най-много %5 или преместете десния списък</translation>
    </message>
    <message>
        <source>the right list (left edge %1, width %2) reaches %3 twips, but the window of width %4 has only %5 inside its frame, so the list would be cut off; make the list at most %6 wide or the window at least %7 wide</source>
        <translation>десният списък (ляв край %1, ширина %2) стига до %3 туипа, а прозорецът с ширина %4 има само %5 вътре в рамката си, така че списъкът ще бъде отрязан; направете списъка широк най-много %6 или прозореца широк поне %7</translation>
    </message>
    <message>
        <source>the section [%1] is missing; add it with one %1 phrase per line</source>
        <translation>липсва разделът [%1]; добавете го и под [%1] пишете по една фраза на ред</translation>
    </message>
    <message>
        <source>[%1] has no phrases; a test needs at least one phrase on each side</source>
        <translation>[%1] няма фрази; тестът трябва да има поне по една фраза от всяка страна</translation>
    </message>
    <message>
        <source>[%1] has %2 phrases; a side may hold at most %3</source>
        <translation>[%1] има %2 фрази; една страна може да има най-много %3</translation>
    </message>
    <message>
        <source>an empty phrase in [%1]; write the phrase, or delete the line</source>
        <translation>празна фраза в [%1]; напишете фразата или изтрийте реда</translation>
    </message>
    <message>
        <source>the phrase &quot;%1&quot; in [%2] holds a tab character, which the list shows as a wide gap; replace it with a space, or delete it</source>
        <translation>фразата „%1“ в [%2] съдържа знак за табулация, който списъкът показва като голяма празнина; заменете го с интервал или го изтрийте</translation>
    </message>
    <message>
        <source>the phrase &quot;%1&quot; is already on line %2 of [%3]; phrases of one side must differ, so change or delete one of them</source>
        <translation>фразата „%1“ вече е на ред %2 в [%3]; фразите от една страна трябва да са различни, затова променете или изтрийте едната от тях</translation>
    </message>
    <message>
        <source>the phrase &quot;%1&quot; looks the same as &quot;%2&quot; on line %3 of [%4]: they differ only in spaces at their ends; phrases of one side must differ, so change or delete one of them</source>
        <translation>фразата „%1“ изглежда същата като „%2“ на ред %3 в [%4]: различават се само по интервали в краищата; фразите от една страна трябва да са различни, затова променете или изтрийте едната от тях</translation>
    </message>
    <message>
        <source>1 phrase</source>
        <translation>1 фраза</translation>
    </message>
    <message>
        <source>%1 phrases</source>
        <translation>%1 фрази</translation>
    </message>
    <message>
        <source>with %1 on the left a learner can make at most %2, and &quot;Оцени&quot; opens only when the pairs are at least three times the right phrases left over; with %3 on the right, %4 would be left over, so this test could never be graded; add left phrases or keep at most %5 on the right</source>
        <translation>с %1 отляво ученикът може да направи най-много %2, а „Оцени“ се отваря само когато двойките са поне три пъти повече от останалите десни фрази; с %3 отдясно ще останат %4, така че този тест никога няма да може да се оцени; добавете леви фрази или оставете най-много %5 отдясно</translation>
    </message>
    <message>
        <source>1 pair</source>
        <translation>1 двойка</translation>
    </message>
    <message>
        <source>%1 pairs</source>
        <translation>%1 двойки</translation>
    </message>
    <message>
        <source>the first line under [%1] is a label for you, not the %2 of question 1, but it reads &quot;%3&quot;; put a line of words (such as Questions) above the %4, so that the %2 of question 1 comes right after it</source>
        <translation>първият ред под [%1] е надпис за вас, а не %2 на въпрос 1, но в него пише „%3“; сложете ред с думи (например Въпроси) над %4, така че %2 на въпрос 1 да дойде веднага след него</translation>
    </message>
    <message>
        <source>explanation switches</source>
        <translation>explanation switches</translation>
    </message>
    <message>
        <source>picture flags</source>
        <translation>picture flags</translation>
    </message>
    <message>
        <source>switch</source>
        <translation>превключвателят</translation>
    </message>
    <message>
        <source>switches</source>
        <translation>превключвателите</translation>
    </message>
    <message>
        <source>explanation switch of question %1 is &quot;%2&quot;; write 1 to show its explanation lines or 0 to leave them out</source>
        <translation>превключвателят за обяснение на въпрос %1 е „%2“; напишете 1, за да се показват обяснителните му редове, или 0, за да не се показват</translation>
    </message>
    <message>
        <source>explanation switch of question %1 is on, but only questions 1 to %2 can have explanation lines; set it to 0</source>
        <translation>превключвателят за обяснение на въпрос %1 е включен, но обяснителни редове могат да имат само въпроси от 1 до %2; сложете 0</translation>
    </message>
    <message>
        <source>explanation switch of question %1 is on, but there is no section [explanation %1]; add it with the lines to show, or set the switch to 0</source>
        <translation>превключвателят за обяснение на въпрос %1 е включен, но няма раздел [explanation %1]; добавете го с редовете, които да се показват, или сложете 0 на превключвателя</translation>
    </message>
    <message>
        <source>[explanation %1] has no lines; write the lines to show for question %1, or delete the header</source>
        <translation>[explanation %1] няма редове; напишете редовете, които да се показват за въпрос %1, или изтрийте заглавието</translation>
    </message>
    <message>
        <source>the section [picture flags] is missing; add it with a label line and then one flag (0 or 1) for each of the %1 questions</source>
        <translation>липсва разделът [picture flags]; добавете го с един ред надпис и след това по един знак (0 или 1) за всеки от %1 въпроса</translation>
    </message>
    <message>
        <source>flag</source>
        <translation>знакът</translation>
    </message>
    <message>
        <source>flags</source>
        <translation>знаците</translation>
    </message>
    <message>
        <source>picture flag of question %1 is &quot;%2&quot;; write 1 when the question has a picture, 0 when it has none</source>
        <translation>знакът за картинка на въпрос %1 е „%2“; напишете 1, когато въпросът има картинка, и 0, когато няма</translation>
    </message>
    <message>
        <source>picture flag of question %1 is set, but only questions 1 to %2 can have a picture; set it to 0</source>
        <translation>знакът за картинка на въпрос %1 е 1, но картинка могат да имат само въпроси от 1 до %2; сложете 0</translation>
    </message>
    <message>
        <source>picture flag of question %1 is set, but there is no section [picture %1]; add it with the line file = NAME.png, or set the flag to 0</source>
        <translation>знакът за картинка на въпрос %1 е 1, но няма раздел [picture %1]; добавете го с реда file = ИМЕ.png или сложете 0 на знака</translation>
    </message>
    <message>
        <source>[picture flags] has flags for questions 1 to %1, but [left] has %2 phrases; add a flag (0 or 1) for every question up to %2</source>
        <translation>[picture flags] има знаци за въпроси от 1 до %1, но [left] има %2 фрази; добавете знак (0 или 1) за всеки въпрос до %2</translation>
    </message>
    <message>
        <source>write the lines of [picture %1] as key = value, for example file = map.png, width = 1695, height = 1815</source>
        <translation>пишете редовете на [picture %1] като ключ = стойност, например file = map.png, width = 1695, height = 1815</translation>
    </message>
    <message>
        <source>unknown key &quot;%1&quot; in [picture %2]; the keys are file, width and height</source>
        <translation>непознат ключ „%1“ в [picture %2]; ключовете са file, width и height</translation>
    </message>
    <message>
        <source>%1 of [picture %2] is already given on line %3; keep one of the two lines</source>
        <translation>%1 в [picture %2] вече е даден на ред %3; оставете само един от двата реда</translation>
    </message>
    <message>
        <source>picture &quot;%1&quot; of question %2 cannot be used: %3</source>
        <translation>картинката „%1“ на въпрос %2 не може да се използва: %3</translation>
    </message>
    <message>
        <source>%1 &quot;%2&quot; of [picture %3] is not a whole number of twips from 1 to 100000 (1440 twips make an inch)</source>
        <translation>%1 „%2“ в [picture %3] не е цяло число туипове от 1 до 100000 (1440 туипа са един инч)</translation>
    </message>
    <message>
        <source>[picture %1] names no picture; add a line file = NAME.png</source>
        <translation>[picture %1] не посочва картинка; добавете ред file = ИМЕ.png</translation>
    </message>
    <message>
        <source>a picture must lie in the test folder itself, beside test.kaz; move it there and write only its file name</source>
        <translation>картинката трябва да е в самата папка на теста, до test.kaz; преместете я там и напишете само името на файла</translation>
    </message>
    <message>
        <source>the name must end in .png, .jpg, .jpeg, .bmp or .gif; save the picture in one of these formats (PNG is best for drawings)</source>
        <translation>името трябва да завършва на .png, .jpg, .jpeg, .bmp или .gif; запазете картинката в един от тези формати (за рисунки PNG е най-добър)</translation>
    </message>
    <message>
        <source>picture &quot;%1&quot; of question %2 is %3 × %4 pixels, larger than its box of %5 × %6 pixels (width = %7, height = %8 twips, 15 twips a pixel), so part of it would be cut off; write width = %9 and height = %10 in [picture %2], or make the picture smaller</source>
        <translation>картинката „%1“ на въпрос %2 е %3 × %4 пиксела, по-голяма от полето си от %5 × %6 пиксела (width = %7, height = %8 туипа, 15 туипа на пиксел), така че част от нея ще бъде отрязана; напишете width = %9 и height = %10 в [picture %2] или намалете картинката</translation>
    </message>
    <message>
        <source>the file is a word processor&apos;s document (such as .docx, .doc or .odt), not plain text; write the test in a text editor (Notepad, gedit, Kate) and save it as UTF-8 text</source>
        <translation>файлът е документ на текстообработваща програма (например .docx, .doc или .odt), а не обикновен текст; напишете теста в текстов редактор (Notepad, gedit, Kate) и го запазете като текст UTF-8</translation>
    </message>
    <message>
        <source>the file is saved as rich text (RTF, as WordPad does), not plain text; write the test in a text editor (Notepad, gedit, Kate) and save it as UTF-8 text</source>
        <translation>файлът е запазен като форматиран текст (RTF, както прави WordPad), а не като обикновен текст; напишете теста в текстов редактор (Notepad, gedit, Kate) и го запазете като текст UTF-8</translation>
    </message>
    <message>
        <source>the file is %1, larger than the %2 a test may have (a test of %3 phrases a side takes about 5 MB); keep only the test in it</source>
        <translation>файлът е %1, повече от %2, колкото може да има един тест (тест с по %3 фрази от страна заема около 5 MB); оставете в него само теста</translation>
    </message>
    <message>
        <source>the file is saved as UTF-16 (&quot;Unicode&quot;); save it again as UTF-8 (in Notepad: File, Save as, Encoding: UTF-8)</source>
        <translation>файлът е запазен като UTF-16 („Unicode“); запазете го отново като UTF-8 (в Notepad: File, Save as, Encoding: UTF-8)</translation>
    </message>
    <message>
        <source>this line is not UTF-8 text%1; the file is probably saved as Windows-1251 (&quot;ANSI&quot;); save it again as UTF-8 (in Notepad: File, Save as, Encoding: UTF-8)</source>
        <translation>този ред не е текст UTF-8%1; файлът вероятно е запазен като Windows-1251 („ANSI“); запазете го отново като UTF-8 (в Notepad: File, Save as, Encoding: UTF-8)</translation>
    </message>
    <message>
        <source>, nor is one later line</source>
        <translation>, нито още един ред по-нататък</translation>
    </message>
    <message>
        <source>, nor are %1 later lines</source>
        <translation>, нито още %1 реда по-нататък</translation>
    </message>
    <message>
        <source>the section [picture flags] is missing; add it with a label line and then one flag (0 or 1) for each question</source>
        <translation>липсва разделът [picture flags]; добавете го с един ред надпис и след това по един знак (0 или 1) за всеки въпрос</translation>
    </message>
    <message>
        <source>[%1] has %2 lines, more than its label and one line for each of at most %3 questions; delete the lines past question %3</source>
        <translation>[%1] има %2 реда, повече от надписа и по един ред за всеки от най-много %3 въпроса; изтрийте редовете след въпрос %3</translation>
    </message>
    <message>
        <source>[%1] has %2 lines, but it may hold at most %3; delete the lines it does not need</source>
        <translation>[%1] има %2 реда, а може да има най-много %3; изтрийте редовете, които не са нужни</translation>
    </message>
</context>
<context>
    <name>DocumentCheck</name>
    <message>
        <source>this row has no left phrase, so it is no question and its explanation lines can be neither shown nor saved; write its left phrase, or delete the lines</source>
        <translation>този ред няма лява фраза, така че не е въпрос и обяснителните му редове не могат нито да се покажат, нито да се запазят; напишете лявата му фраза или изтрийте редовете</translation>
    </message>
    <message>
        <source>this row is question %1, but only questions 1 to %2 can have explanation lines, so these are not saved; move the row up among the first %2 questions, or delete the lines</source>
        <translation>този ред е въпрос %1, но обяснителни редове могат да имат само въпроси от 1 до %2, така че тези редове не се запазват; преместете реда нагоре сред първите %2 въпроса или изтрийте редовете</translation>
    </message>
    <message>
        <source>this row has no left phrase, so it is no question and its picture can be neither shown nor saved; write its left phrase, or remove the picture</source>
        <translation>този ред няма лява фраза, така че не е въпрос и картинката му не може нито да се покаже, нито да се запази; напишете лявата му фраза или махнете картинката</translation>
    </message>
    <message>
        <source>this row is question %1, but only questions 1 to %2 can have a picture, so it is not saved; move the row up among the first %2 questions, or remove the picture</source>
        <translation>този ред е въпрос %1, но картинка могат да имат само въпроси от 1 до %2, така че тя не се запазва; преместете реда нагоре сред първите %2 въпроса или махнете картинката</translation>
    </message>
    <message>
        <source>the address holds a space, but the caption&apos;s first space ends the address; write the address without spaces</source>
        <translation>адресът съдържа интервал, а първият интервал в заглавието на прозореца завършва адреса; напишете адреса без интервали</translation>
    </message>
    <message>
        <source>the phrase &quot;%1&quot; is already on %2; phrases of one column must differ, so change or delete one of them</source>
        <translation>фразата „%1“ вече е на %2; фразите в една колона трябва да са различни, затова променете или изтрийте едната от тях</translation>
    </message>
    <message>
        <source>the phrase &quot;%1&quot; looks the same as &quot;%2&quot; on %3: they differ only in spaces at their ends; phrases of one column must differ, so change or delete one of them</source>
        <translation>фразата „%1“ изглежда същата като „%2“ на %3: различават се само по интервали в краищата; фразите в една колона трябва да са различни, затова променете или изтрийте едната от тях</translation>
    </message>
    <message>
        <source>the phrase &quot;%1&quot; holds a tab character, which the list shows as a wide gap; replace it with a space, or delete it</source>
        <translation>фразата „%1“ съдържа знак за табулация, който списъкът показва като голяма празнина; заменете го с интервал или го изтрийте</translation>
    </message>
    <message>
        <source>no row has a phrase in the column &quot;%1&quot;; a test needs at least one phrase on each side</source>
        <translation>нито един ред няма фраза в колоната „%1“; тестът трябва да има поне по една фраза от всяка страна</translation>
    </message>
    <message>
        <source>the column &quot;%1&quot; has %2 phrases, but a side may hold at most %3; delete rows, or make two tests of them</source>
        <translation>колоната „%1“ има %2 фрази, а една страна може да има най-много %3; изтрийте редове или ги разделете в два теста</translation>
    </message>
    <message>
        <source>the instructions have %1 lines, but may have at most %2; delete the lines they do not need</source>
        <translation>указанията имат %1 реда, а може да имат най-много %2; изтрийте редовете, които не са нужни</translation>
    </message>
    <message>
        <source>this explanation has %1 lines, but may have at most %2; delete the lines it does not need</source>
        <translation>това обяснение има %1 реда, а може да има най-много %2; изтрийте редовете, които не са нужни</translation>
    </message>
    <message>
        <source>this label is a number (&quot;%1&quot;), which a test cannot tell apart from the data of its first question; write words instead, such as Questions</source>
        <translation>този надпис е число („%1“), което тестът не може да различи от данните на първия си въпрос; напишете думи, например Въпроси</translation>
    </message>
    <message>
        <source>the picture is %1 × %2 pixels, larger than its box of %3 × %4 pixels, so part of it would be cut off; make the box at least %5 × %6 pixels, or the picture smaller</source>
        <translation>картинката е %1 × %2 пиксела, по-голяма от полето си от %3 × %4 пиксела, затова част от нея ще бъде отрязана; направете полето поне %5 × %6 пиксела или картинката по-малка</translation>
    </message>
    <message>
        <source>this row has a left phrase but no right one, while %1 has a right phrase but no left one; extra phrases can stand on one side only, or the test would pair them with each other: write the missing phrases, or delete the extra rows of one side</source>
        <translation>този ред има лява фраза, но няма дясна, а %1 има дясна фраза, но няма лява; излишни фрази може да има само от едната страна, иначе тестът ще ги сдвои една с друга: напишете липсващите фрази или изтрийте излишните редове от едната страна</translation>
    </message>
    <message>
        <source>this row has a right phrase but no left one, while %1 has a left phrase but no right one; extra phrases can stand on one side only, or the test would pair them with each other: write the missing phrases, or delete the extra rows of one side</source>
        <translation>този ред има дясна фраза, но няма лява, а %1 има лява фраза, но няма дясна; излишни фрази може да има само от едната страна, иначе тестът ще ги сдвои една с друга: напишете липсващите фрази или изтрийте излишните редове от едната страна</translation>
    </message>
    <message>
        <source>Row %1</source>
        <translation>Ред %1</translation>
    </message>
    <message>
        <source>Unnumbered row below row %1</source>
        <translation>Ред без номер под ред %1</translation>
    </message>
    <message>
        <source>Unnumbered row above row %1</source>
        <translation>Ред без номер над ред %1</translation>
    </message>
    <message>
        <source>Unnumbered row</source>
        <translation>Ред без номер</translation>
    </message>
    <message>
        <source>row %1</source>
        <translation>ред %1</translation>
    </message>
    <message>
        <source>the unnumbered row below row %1</source>
        <translation>ред без номер под ред %1</translation>
    </message>
    <message>
        <source>the unnumbered row above row %1</source>
        <translation>ред без номер над ред %1</translation>
    </message>
    <message>
        <source>a row without a number</source>
        <translation>ред без номер</translation>
    </message>
    <message>
        <source>the phrase in the column &quot;%1&quot; is longer than the test&apos;s left list is wide, so the learner sees only &quot;%2&quot;; press &quot;Widen the lists&quot; above this list, or shorten the phrase. The program can still be made.</source>
        <translation>фразата в колоната „%1“ е по-дълга, отколкото е широк левият списък на теста, и ученикът вижда само „%2“; натиснете „Разшири списъците“ над този списък или съкратете фразата. Програмата пак може да се направи.</translation>
    </message>
    <message>
        <source>the phrase in the column &quot;%1&quot; is longer than the test&apos;s right list is wide, so the learner sees only &quot;%2&quot;; press &quot;Widen the lists&quot; above this list, or shorten the phrase. The program can still be made.</source>
        <translation>фразата в колоната „%1“ е по-дълга, отколкото е широк десният списък на теста, и ученикът вижда само „%2“; натиснете „Разшири списъците“ над този списък или съкратете фразата. Програмата пак може да се направи.</translation>
    </message>
    <message>
        <source>this row has no right phrase, so the test asks it after all the pairs, as question %1, but only questions 1 to %2 can have explanation lines, so these are not saved; write its right phrase, or delete the lines</source>
        <translation>този ред няма дясна фраза, затова тестът го задава след всички двойки, като въпрос %1, но обяснителни редове могат да имат само въпроси от 1 до %2, така че тези редове не се запазват; напишете дясната му фраза или изтрийте редовете</translation>
    </message>
    <message>
        <source>this row has no right phrase, so the test asks it after all the pairs, as question %1, but only questions 1 to %2 can have a picture, so it is not saved; write its right phrase, or remove the picture</source>
        <translation>този ред няма дясна фраза, затова тестът го задава след всички двойки, като въпрос %1, но картинка могат да имат само въпроси от 1 до %2, така че тя не се запазва; напишете дясната му фраза или махнете картинката</translation>
    </message>
    <message>
        <source>Unnumbered row %2 of %3 below row %1</source>
        <translation>Ред без номер %2 от %3 под ред %1</translation>
    </message>
    <message>
        <source>Unnumbered row %2 of %3 above row %1</source>
        <translation>Ред без номер %2 от %3 над ред %1</translation>
    </message>
    <message>
        <source>Unnumbered row %1 of %2</source>
        <translation>Ред без номер %1 от %2</translation>
    </message>
    <message>
        <source>the unnumbered row %2 of %3 below row %1</source>
        <translation>ред без номер %2 от %3 под ред %1</translation>
    </message>
    <message>
        <source>the unnumbered row %2 of %3 above row %1</source>
        <translation>ред без номер %2 от %3 над ред %1</translation>
    </message>
    <message>
        <source>the unnumbered row %1 of %2</source>
        <translation>ред без номер %1 от %2</translation>
    </message>
    <message>
        <source>after the last pair, &quot;Оцени&quot; stays grey until the learner presses &quot;Избрах&quot; once more: the test window decides whether grading may start only when a button is pressed, and in this test only the last pair makes it possible. Tell the learners so in the instructions, or add pairs.</source>
        <translation>след последната двойка „Оцени“ остава сив, докато ученикът не натисне „Избрах“ още веднъж: прозорецът на теста решава дали може да се оценява само при натискане на бутон, а в този тест това става възможно едва с последната двойка. Кажете го на учениците в указанията или добавете двойки.</translation>
    </message>
    <message>
        <source>after the last pair, &quot;Оцени&quot; stays grey until &quot;Избрах&quot; is pressed once more; the list of problems says why</source>
        <translation>след последната двойка „Оцени“ остава сив, докато „Избрах“ не се натисне още веднъж; защо, казва списъкът с проблемите</translation>
    </message>
</context>
<context>
    <name>EditorDialogs</name>
    <message numerus="yes">
        <source>The file holds %n matching question(s). Each becomes a test of its own; choose the one to open:</source>
        <translation>
            <numerusform>Файлът съдържа %n въпрос за съпоставяне. Всеки става отделен тест; изберете този, който да се отвори:</numerusform>
            <numerusform>Файлът съдържа %n въпроса за съпоставяне. Всеки става отделен тест; изберете този, който да се отвори:</numerusform>
        </translation>
    </message>
    <message>
        <source>Matching questions</source>
        <translation>Въпроси за съпоставяне</translation>
    </message>
    <message>
        <source>Open program</source>
        <translation>Отвори програма</translation>
    </message>
    <message>
        <source>Make program</source>
        <translation>Направи програма</translation>
    </message>
    <message numerus="yes">
        <source>The test has %n problem(s), listed under the table. Mend them, then make the program again.</source>
        <translation>
            <numerusform>Тестът има %n проблем, посочен под таблицата. Поправете го и направете програмата отново.</numerusform>
            <numerusform>Тестът има %n проблема, изброени под таблицата. Поправете ги и направете програмата отново.</numerusform>
        </translation>
    </message>
    <message>
        <source>The test has not been saved yet, and a program is made from the saved test folder. Save the test now?</source>
        <translation>Тестът още не е запазен, а програмата се прави от запазената папка с теста. Да се запази ли тестът сега?</translation>
    </message>
    <message>
        <source>The test has changes that are not saved, and a program is made from the saved test folder. Save the changes now?</source>
        <translation>Тестът има незапазени промени, а програмата се прави от запазената папка с теста. Да се запазят ли промените сега?</translation>
    </message>
    <message>
        <source>Save the test in a folder first (File, Save), then make the program.</source>
        <translation>Първо запазете теста в папка („Файл“, „Запази“), после направете програмата.</translation>
    </message>
    <message>
        <source>The test was not saved: %1.</source>
        <translation>Тестът не е запазен: %1.</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Отвори</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отказ</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Запази</translation>
    </message>
    <message>
        <source>The file holds one matching question, and it becomes the test:</source>
        <translation>Файлът съдържа един въпрос за съпоставяне и той става тестът:</translation>
    </message>
    <message numerus="yes">
        <source>%n question(s) of other kinds will not be opened: a KAZ test pairs phrases, so only matching questions become tests.</source>
        <translation>
            <numerusform>%n въпрос от друг вид няма да се отвори: тестът KAZ свързва фрази по двойки, затова тестове стават само въпросите за съпоставяне.</numerusform>
            <numerusform>%n въпроса от други видове няма да се отворят: тестът KAZ свързва фрази по двойки, затова тестове стават само въпросите за съпоставяне.</numerusform>
        </translation>
    </message>
    <message>
        <source>Questions not opened</source>
        <translation>Въпроси, които няма да се отворят</translation>
    </message>
    <message>
        <source>The program for Windows is made: %1
The learners copy this one file (from a USB stick or an e-mail) and double-click it to start the test; nothing needs to be installed.</source>
        <translation>Програмата за Windows е направена: %1
Учениците копират този един файл (от USB памет или от електронно писмо) и щракват два пъти върху него, за да започнат теста; нищо не трябва да се инсталира.</translation>
    </message>
    <message>
        <source>The program for Linux is made: %1
Give this one file to the learners: it runs on Debian 12 (64-bit PC) with the KAZ package installed, or with the packages libqt6widgets6, fonts-liberation and fonts-dejavu-core.</source>
        <translation>Програмата за Linux е направена: %1
Дайте този един файл на учениците: той работи на Debian 12 (64-битов компютър) с инсталиран пакет KAZ или с пакетите libqt6widgets6, fonts-liberation и fonts-dejavu-core.</translation>
    </message>
    <message>
        <source>Made on Windows, it reaches Linux without its permission to run: there the learner gives it back with chmod +x %1, or in the file manager with Properties, Permissions, Allow executing file as program, and then double-clicks it.</source>
        <translation>Направена в Windows, тя стига до Linux без правото си да се изпълнява: там ученикът ѝ го връща с chmod +x %1 или във файловия мениджър със „Свойства“, „Права“ и отметката за изпълнение като програма, после щраква два пъти върху нея.</translation>
    </message>
    <message>
        <source>Where it arrives without its permission to run (copied through Windows, or sent by e-mail), the learner gives it back with chmod +x %1, or in the file manager with Properties, Permissions, Allow executing file as program.</source>
        <translation>Където стигне без правото си да се изпълнява (копирана през Windows или изпратена по електронна поща), ученикът ѝ го връща с chmod +x %1 или във файловия мениджър със „Свойства“, „Права“ и отметката за изпълнение като програма.</translation>
    </message>
    <message>
        <source>The program for %1 was not made:
%2</source>
        <translation>Програмата за %1 не е направена:
%2</translation>
    </message>
    <message>
        <source>Make program: the folder for the programs</source>
        <translation>Направи програма: папката за програмите</translation>
    </message>
    <message>
        <source>These files are there already:
%1

Replace them with the new programs?</source>
        <translation>Тези файлове вече са там:
%1

Да бъдат ли заменени с новите програми?</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Замени</translation>
    </message>
    <message>
        <source>Which computers do the learners use? A program is made for each system ticked.</source>
        <translation>Какви компютри използват учениците? За всяка отметната система се прави програма.</translation>
    </message>
    <message>
        <source>Make</source>
        <translation>Направи</translation>
    </message>
    <message>
        <source>Windows</source>
        <translation>Windows</translation>
    </message>
    <message>
        <source>Linux (Debian)</source>
        <translation>Linux (Debian)</translation>
    </message>
    <message>
        <source>%1: one file the learners copy (USB stick, e-mail) and double-click; nothing to install.</source>
        <translation>%1: един файл, който учениците копират (USB памет, електронна поща) и отварят с двойно щракване; нищо не се инсталира.</translation>
    </message>
    <message>
        <source>%1: for Debian 12 with the KAZ package installed (or Qt 6 and two font packages).</source>
        <translation>%1: за Debian 12 с инсталиран пакет KAZ (или Qt 6 и два пакета с шрифтове).</translation>
    </message>
    <message>
        <source>Open the folder of a test</source>
        <translation>Отвори папка с тест</translation>
    </message>
    <message>
        <source>Look in:</source>
        <translation>Търси в:</translation>
    </message>
    <message>
        <source>Test &amp;folder:</source>
        <translation>&amp;Папка с тест:</translation>
    </message>
    <message>
        <source>&amp;Open the test</source>
        <translation>&amp;Отвори теста</translation>
    </message>
    <message>
        <source>The test goes into:</source>
        <translation>Тестът отива в:</translation>
    </message>
    <message>
        <source>&amp;Folder:</source>
        <translation>&amp;Папка:</translation>
    </message>
    <message>
        <source>&amp;Save the test here</source>
        <translation>&amp;Запази теста тук</translation>
    </message>
    <message>
        <source>Open a GIFT or Moodle XML file</source>
        <translation>Отвори GIFT или Moodle XML файл</translation>
    </message>
    <message>
        <source>GIFT or XML &amp;file:</source>
        <translation>GIFT или XML &amp;файл:</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Отвори</translation>
    </message>
    <message>
        <source>GIFT and Moodle XML files (*.gift *.txt *.xml);;All files (*)</source>
        <translation>Файлове GIFT и Moodle XML (*.gift *.txt *.xml);;Всички файлове (*)</translation>
    </message>
    <message>
        <source>Open a test program</source>
        <translation>Отвори програма с тест</translation>
    </message>
    <message>
        <source>&amp;Program:</source>
        <translation>&amp;Програма:</translation>
    </message>
    <message>
        <source>Choose a picture for the row</source>
        <translation>Изберете картинка за реда</translation>
    </message>
    <message>
        <source>Picture &amp;file:</source>
        <translation>&amp;Файл с картинка:</translation>
    </message>
    <message>
        <source>&amp;Take the picture</source>
        <translation>&amp;Вземи картинката</translation>
    </message>
    <message>
        <source>Pictures (*.png *.jpg *.jpeg *.gif *.bmp);;All files (*)</source>
        <translation>Картинки (*.png *.jpg *.jpeg *.gif *.bmp);;Всички файлове (*)</translation>
    </message>
    <message>
        <source>Make program: where to write the program</source>
        <translation>Направи програма: къде да се запише програмата</translation>
    </message>
    <message>
        <source>The program goes into:</source>
        <translation>Програмата отива в:</translation>
    </message>
    <message>
        <source>Program &amp;name:</source>
        <translation>&amp;Име на програмата:</translation>
    </message>
    <message>
        <source>&amp;Write the program</source>
        <translation>&amp;Запиши програмата</translation>
    </message>
    <message>
        <source>The programs go into:</source>
        <translation>Програмите отиват в:</translation>
    </message>
    <message>
        <source>&amp;Write the programs here</source>
        <translation>&amp;Запиши програмите тук</translation>
    </message>
    <message>
        <source>Show:</source>
        <translation>Покажи:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Добре</translation>
    </message>
    <message>
        <source>The test page is made: %1
It opens in any web browser, on a phone, a tablet or a computer: the learners double-click it, or open it as an e-mail attachment or as a file on the school&apos;s web site; nothing needs to be installed.</source>
        <translation>Тестовата страница е направена: %1
Тя се отваря във всеки уеб браузър на телефон, таблет или компютър: учениците щракват два пъти върху нея или я отварят като прикачен файл от електронно писмо или като файл от сайта на училището; нищо не трябва да се инсталира.</translation>
    </message>
    <message>
        <source>The test page was not made:
%1</source>
        <translation>Тестовата страница не е направена:
%1</translation>
    </message>
    <message>
        <source>for a web browser (.html)</source>
        <translation>за браузър (.html)</translation>
    </message>
    <message>
        <source>%1: a page that plays the test in any web browser, on a phone, a tablet or a computer; nothing to install.</source>
        <translation>%1: страница, която пуска теста във всеки уеб браузър на телефон, таблет или компютър; нищо не се инсталира.</translation>
    </message>
    <message>
        <source>Choose the folder of the test: the one that holds its file test.kaz (and its pictures). The test opens in the editor from there.</source>
        <translation>Изберете папката на теста: тази, в която е файлът му test.kaz (и картинките му). Тестът се отваря в редактора оттам.</translation>
    </message>
    <message>
        <source>Save the test: choose a folder</source>
        <translation>Запазване на теста: изберете папка</translation>
    </message>
    <message>
        <source>Choose the folder to keep the test in, such as Documents. The test gets a folder of its own inside it, named after its title.</source>
        <translation>Изберете папката, в която да пазите теста, например Документи. Тестът получава в нея своя папка, наречена по заглавието му.</translation>
    </message>
    <message>
        <source>Choose a file of questions exported from Moodle, in GIFT or in Moodle XML: its matching question becomes a new test in the editor, which you then save in a folder of its own. The file itself is not changed.</source>
        <translation>Изберете файл с въпроси, изнесени от Moodle, във формат GIFT или Moodle XML: въпросът за съпоставяне в него става нов тест в редактора, който после запазвате в своя папка. Самият файл не се променя.</translation>
    </message>
    <message>
        <source>Choose a test program made by KAZ (kaz-….exe, kaz-…), a test page (kaz-….html) or a package for Moodle (kaz-…-scorm.zip): the test in it opens in the editor as a new test, which you then save in a folder of its own. The program itself is not changed.</source>
        <translation>Изберете програма с тест, направена от KAZ (kaz-….exe, kaz-…), тестова страница (kaz-….html) или пакет за Moodle (kaz-…-scorm.zip): тестът в нея се отваря в редактора като нов тест, който после запазвате в своя папка. Самата програма не се променя.</translation>
    </message>
    <message>
        <source>Choose a picture file (PNG, JPEG, GIF or BMP) for the row you are on: a copy of it goes into the test&apos;s folder; your file stays where it is.</source>
        <translation>Изберете файл с картинка (PNG, JPEG, GIF или BMP) за реда, на който сте: копие от него отива в папката на теста; вашият файл остава, където е.</translation>
    </message>
    <message>
        <source>The program is one file, which you give to the learners. Choose the folder it goes into and, if you like, another name for it.</source>
        <translation>Програмата е един файл, който давате на учениците. Изберете папката, в която да отиде, и ако искате, друго име за нея.</translation>
    </message>
    <message>
        <source>Choose the folder the programs go into: each is one file, named kaz- and the test&apos;s folder name, which you give to the learners of its system.</source>
        <translation>Изберете папката, в която да отидат програмите: всяка е един файл с име kaz- и името на папката на теста, който давате на учениците с нейната система.</translation>
    </message>
    <message>
        <source>%1 holds no test (no file test.kaz): open the folder of a test, or the test&apos;s folder inside this one.</source>
        <translation>В %1 няма тест (няма файл test.kaz): отворете папката на тест или папката на теста вътре в тази.</translation>
    </message>
    <message>
        <source>Opens the test &quot;%1&quot; from %2.</source>
        <translation>Отваря се тестът „%1“ от %2.</translation>
    </message>
    <message>
        <source>No test can be saved here: %1.</source>
        <translation>Тук не може да се запише тест: %1.</translation>
    </message>
    <message>
        <source>The test is saved in its own folder: %1</source>
        <translation>Тестът се записва в своята папка: %1</translation>
    </message>
    <message>
        <source>This is the folder of the test &quot;%1&quot;: you are asked whether to replace it or to save beside it.</source>
        <translation>Това е папката на теста „%1“: ще бъдете попитани дали да го замените или да запишете този до него.</translation>
    </message>
    <message>
        <source>The test is saved in a new folder: %1</source>
        <translation>Тестът се записва в нова папка: %1</translation>
    </message>
    <message>
        <source>The programs are written into %1: %2.</source>
        <translation>Програмите се записват в %1: %2.</translation>
    </message>
    <message>
        <source>Export for Moodle: choose a folder</source>
        <translation>Изнасяне за Moodle: изберете папка</translation>
    </message>
    <message>
        <source>The files go into:</source>
        <translation>Файловете отиват в:</translation>
    </message>
    <message>
        <source>&amp;Write the files here</source>
        <translation>&amp;Запиши файловете тук</translation>
    </message>
    <message>
        <source>Choose the folder for the test&apos;s two files for Moodle: one in Moodle XML, with the pictures, and one in GIFT. You then import one of them into Moodle&apos;s question bank.</source>
        <translation>Изберете папката за двата файла на теста за Moodle: един във формат Moodle XML, с картинките, и един във формат GIFT. После импортирате единия от тях в банката с въпроси на Moodle.</translation>
    </message>
    <message>
        <source>The files %1 are written into %2.</source>
        <translation>Файловете %1 се записват в %2.</translation>
    </message>
    <message>
        <source>%1 is there already: you are asked before it is replaced.</source>
        <translation>%1 вече съществува: ще бъдете попитани, преди да бъде заменен.</translation>
    </message>
    <message>
        <source>The package for Moodle and other platforms is made: %1
In Moodle: turn editing on in the course, Add an activity or resource, SCORM package, and upload this .zip file. Each learner&apos;s score then appears in the course&apos;s grades.</source>
        <translation>Пакетът за Moodle и други платформи е направен: %1
В Moodle: в курса включете редактирането, „Добавяне на дейност или ресурс“, „SCORM пакет“ и качете този .zip файл. Тогава резултатът на всеки ученик се появява в оценките на курса.</translation>
    </message>
    <message>
        <source>The package for Moodle and other platforms was not made:
%1</source>
        <translation>Пакетът за Moodle и други платформи не е направен:
%1</translation>
    </message>
    <message>
        <source>for Moodle and other platforms (SCORM)</source>
        <translation>за Moodle и други платформи (SCORM)</translation>
    </message>
    <message>
        <source>%1: the test page as a SCORM package: uploaded to a course in Moodle, it keeps each learner&apos;s score in the grades.</source>
        <translation>%1: тестовата страница като пакет SCORM: качена в курс в Moodle, тя записва резултата на всеки ученик в оценките.</translation>
    </message>
    <message>
        <source>none: only completed</source>
        <translation>няма: само „завършен“</translation>
    </message>
    <message>
        <source>&amp;Pass mark:</source>
        <translation>&amp;Праг за успех:</translation>
    </message>
    <message>
        <source>The learner&apos;s name from the platform in the caption&apos;s place</source>
        <translation>Името на ученика от платформата на мястото на заглавието</translation>
    </message>
</context>
<context>
    <name>EditorFieldsForm</name>
    <message>
        <source>Address</source>
        <translation>Адрес</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Заглавие</translation>
    </message>
    <message>
        <source>The test&apos;s title, shown in the window&apos;s title bar</source>
        <translation>Заглавието на теста, показва се в заглавната лента на прозореца</translation>
    </message>
    <message>
        <source>A&amp;ddress:</source>
        <translation>&amp;Адрес:</translation>
    </message>
    <message>
        <source>Tit&amp;le:</source>
        <translation>&amp;Заглавие:</translation>
    </message>
    <message>
        <source>Parts of the whole test</source>
        <translation>Части на целия тест</translation>
    </message>
    <message>
        <source>Instructions</source>
        <translation>Указания</translation>
    </message>
    <message>
        <source>What the learner reads before starting: one line or more</source>
        <translation>Какво чете ученикът, преди да започне: един или повече реда</translation>
    </message>
    <message>
        <source>I&amp;nstructions</source>
        <translation>&amp;Указания</translation>
    </message>
    <message>
        <source>&amp;Window and lists</source>
        <translation>Прозорец и &amp;списъци</translation>
    </message>
    <message>
        <source>Label line of the explanation switches</source>
        <translation>Ред надпис на превключвателите за обяснение</translation>
    </message>
    <message>
        <source>Label line of the picture flags</source>
        <translation>Ред надпис на знаците за картинка</translation>
    </message>
    <message>
        <source>Explanation switches:</source>
        <translation>Превключватели за обяснение:</translation>
    </message>
    <message>
        <source>Picture flags:</source>
        <translation>Знаци за картинка:</translation>
    </message>
    <message>
        <source>You need not change anything here. The test file writes these two lines at the head of its explanation switches and picture flags, in the words of the first KAZ programs: Bulgarian written in Latin letters. The learner never sees them.</source>
        <translation>Тук няма нужда да променяте нищо. Файлът на теста записва тези два реда в началото на превключвателите за обяснение и знаците за картинка с думите на първите програми на KAZ: български, написан с латински букви. Ученикът никога не ги вижда.</translation>
    </message>
    <message>
        <source>Advanced: section la&amp;bels</source>
        <translation>Разширени: &amp;надписи на разделите</translation>
    </message>
    <message>
        <source>A web address (https://…, www.…, school.bg) shown before the title; may stay empty</source>
        <translation>Уеб адрес (https://…, www.…, school.bg), показва се пред заглавието; може да остане празен</translation>
    </message>
    <message>
        <source>The test window will be called &quot;%1&quot;, its picture window &quot;%2&quot;.</source>
        <translation>Прозорецът на теста ще се казва „%1“, а прозорецът с картинката — „%2“.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not read as a web address: when the test is opened again, it is the start of the title.</source>
        <translation>„%1“ не се чете като уеб адрес: когато тестът се отвори отново, това е началото на заглавието.</translation>
    </message>
</context>
<context>
    <name>EditorGeometryPanel</name>
    <message>
        <source>&amp;Window width:</source>
        <translation>Ширина на прозор&amp;еца:</translation>
    </message>
    <message>
        <source>&amp;Left list, left edge:</source>
        <translation>&amp;Ляв край на левия списък:</translation>
    </message>
    <message>
        <source>Left list, wi&amp;dth:</source>
        <translation>Ширина на леви&amp;я списък:</translation>
    </message>
    <message>
        <source>&amp;Right list, left edge:</source>
        <translation>Ляв &amp;край на десния списък:</translation>
    </message>
    <message>
        <source>Right list, w&amp;idth:</source>
        <translation>Ширина на &amp;десния списък:</translation>
    </message>
    <message>
        <source>Problems of the geometry</source>
        <translation>Проблеми с размерите</translation>
    </message>
    <message>
        <source>Sizes in twips: 15 twips make a pixel.</source>
        <translation>Размерите са в туипове: 15 туипа са един пиксел.</translation>
    </message>
    <message>
        <source>%1 pixels</source>
        <translation>%1 пиксела</translation>
    </message>
</context>
<context>
    <name>EditorGuide</name>
    <message>
        <source>Guide — KAZ editor</source>
        <translation>Ръководство — KAZ редактор</translation>
    </message>
    <message>
        <source>Guide</source>
        <translation>Ръководство</translation>
    </message>
    <message>
        <source>editor.md</source>
        <extracomment>The file name of the editor&apos;s guide written in this translation&apos;s language.</extracomment>
        <translation>editor.bg.md</translation>
    </message>
</context>
<context>
    <name>EditorPacking</name>
    <message>
        <source>This KAZ was installed without the quiz runner for %1, so programs for %1 cannot be made here. Install a KAZ that includes it.</source>
        <translation>Този KAZ е инсталиран без основната програма на KAZ за %1, затова тук не могат да се правят програми за %1. Инсталирайте KAZ, който я включва.</translation>
    </message>
    <message>
        <source>This KAZ was installed without the page for %1 (%2), so test pages cannot be made here. Install a KAZ that includes it.</source>
        <translation>Този KAZ е инсталиран без страницата за %1 (%2), затова тук не могат да се правят тестови страници. Инсталирайте KAZ, който я включва.</translation>
    </message>
</context>
<context>
    <name>EditorPicturePanel</name>
    <message>
        <source>The row&apos;s picture</source>
        <translation>Картинката на реда</translation>
    </message>
    <message>
        <source>&amp;Choose picture…</source>
        <translation>&amp;Избери картинка…</translation>
    </message>
    <message>
        <source>Re&amp;move picture</source>
        <translation>&amp;Махни картинката</translation>
    </message>
    <message>
        <source>Problems of the picture</source>
        <translation>Проблеми с картинката</translation>
    </message>
    <message>
        <source>Picture of the row</source>
        <translation>Картинка на реда</translation>
    </message>
    <message>
        <source>Choose picture</source>
        <translation>Избери картинка</translation>
    </message>
    <message>
        <source>Choose a picture file for this row; you can also drop one here.</source>
        <translation>Изберете файл с картинка за този ред; можете и да го плъзнете тук.</translation>
    </message>
    <message>
        <source>Remove picture</source>
        <translation>Махни картинката</translation>
    </message>
    <message>
        <source> px</source>
        <translation> px</translation>
    </message>
    <message>
        <source>Box width in pixels</source>
        <translation>Ширина на полето в пиксели</translation>
    </message>
    <message>
        <source>Box height in pixels</source>
        <translation>Височина на полето в пиксели</translation>
    </message>
    <message>
        <source>In a window on a click</source>
        <translation>В прозорец при щракване</translation>
    </message>
    <message>
        <source>In the small frame only</source>
        <translation>Само в малкото поле</translation>
    </message>
    <message>
        <source>Hidden</source>
        <translation>Скрита</translation>
    </message>
    <message>
        <source>How the test shows the picture</source>
        <translation>Как тестът показва картинката</translation>
    </message>
    <message>
        <source>Bo&amp;x width:</source>
        <translation>&amp;Ширина на полето:</translation>
    </message>
    <message>
        <source>Box hei&amp;ght:</source>
        <translation>&amp;Височина на полето:</translation>
    </message>
    <message>
        <source>Sh&amp;own:</source>
        <translation>П&amp;оказване:</translation>
    </message>
    <message>
        <source>Choose a row to see its picture.</source>
        <translation>Изберете ред, за да видите картинката му.</translation>
    </message>
    <message>
        <source>Picture of question %1</source>
        <translation>Картинка на въпрос %1</translation>
    </message>
    <message>
        <source>No picture. Choose one, or drop a picture file here.</source>
        <translation>Няма картинка. Изберете или плъзнете тук файл с картинка.</translation>
    </message>
    <message>
        <source>%1 cannot be shown.</source>
        <translation>%1 не може да се покаже.</translation>
    </message>
    <message>
        <source>%1, %2 × %3 pixels</source>
        <translation>%1, %2 × %3 пиксела</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>Картинка</translation>
    </message>
    <message>
        <source>Picture of %1</source>
        <translation>Картинка на %1</translation>
    </message>
</context>
<context>
    <name>EditorProblemsList</name>
    <message>
        <source>Problems</source>
        <translation>Проблеми</translation>
    </message>
    <message numerus="yes">
        <source>…and %n more problem(s), marked in the table. Mend the ones above first.</source>
        <translation>
            <numerusform>…и още %n проблем, отбелязан в таблицата. Първо поправете горните.</numerusform>
            <numerusform>…и още %n проблема, отбелязани в таблицата. Първо поправете горните.</numerusform>
        </translation>
    </message>
    <message>
        <source>&amp;Problems: none</source>
        <translation>Про&amp;блеми: няма</translation>
    </message>
    <message>
        <source>&amp;Problems (%1):</source>
        <translation>Про&amp;блеми (%1):</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Widen the lists</source>
        <translation>Разшири списъците</translation>
    </message>
    <message>
        <source>Makes the test&apos;s lists, and its window where needed, wide enough for every phrase</source>
        <translation>Прави списъците на теста, а при нужда и прозореца му, достатъчно широки за всяка фраза</translation>
    </message>
    <message>
        <source>Warning. %1</source>
        <translation>Предупреждение. %1</translation>
    </message>
    <message>
        <source>&amp;Problems: none. Warnings (%1); the test can still be tried and made into a program:</source>
        <translation>Про&amp;блеми: няма. Предупреждения (%1); тестът пак може да се изпробва и да стане програма:</translation>
    </message>
    <message>
        <source>&amp;Problems (%1), warnings (%2):</source>
        <translation>Про&amp;блеми (%1), предупреждения (%2):</translation>
    </message>
    <message>
        <source>Note: %1</source>
        <translation>Бележка: %1</translation>
    </message>
    <message numerus="yes">
        <source>&amp;Problems: none; %n note(s):</source>
        <translation>
            <numerusform>Про&amp;блеми: няма; %n бележка:</numerusform>
            <numerusform>Про&amp;блеми: няма; %n бележки:</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>EditorSketch</name>
    <message>
        <source>Sketch of the test window</source>
        <translation>Скица на прозореца на теста</translation>
    </message>
    <message>
        <source>The window is %1 pixels wide and %2 pixels high inside its frame. The left list starts %3 pixels from the window&apos;s left side and is %4 pixels wide; the right list starts %5 pixels from it and is %6 pixels wide.</source>
        <translation>Вътре в рамката си прозорецът е широк %1 и висок %2 пиксела. Левият списък започва на %3 пиксела от левия край на прозореца и е широк %4 пиксела; десният списък започва на %5 пиксела от него и е широк %6 пиксела.</translation>
    </message>
    <message>
        <source>Problem: %1</source>
        <translation>Проблем: %1</translation>
    </message>
    <message>
        <source>Left list</source>
        <translation>Ляв списък</translation>
    </message>
    <message>
        <source>Right list</source>
        <translation>Десен списък</translation>
    </message>
</context>
<context>
    <name>EditorSources</name>
    <message numerus="yes">
        <source>The file has %n problem(s), so no test was opened. Mend the lines named above and open the file again.</source>
        <translation>
            <numerusform>Файлът има %n проблем, затова не е отворен тест. Поправете посочените по-горе редове и отворете файла отново.</numerusform>
            <numerusform>Файлът има %n проблема, затова не е отворен тест. Поправете посочените по-горе редове и отворете файла отново.</numerusform>
        </translation>
    </message>
    <message>
        <source>The file %1 has changed since it was opened and no longer holds that question. Open the file again.</source>
        <translation>Файлът %1 е променен, откакто е отворен, и вече не съдържа този въпрос. Отворете файла отново.</translation>
    </message>
    <message>
        <source>Line %1: %2</source>
        <translation>Ред %1: %2</translation>
    </message>
    <message>
        <source>Line %1: %2 &quot;%3&quot;</source>
        <translation>Ред %1: %2 „%3“</translation>
    </message>
    <message>
        <source>Category: %1</source>
        <translation>Категория: %1</translation>
    </message>
    <message>
        <source>(classification: left phrases share &quot;%1&quot;)</source>
        <translation>(класификация: леви фрази имат обща дясна „%1“)</translation>
    </message>
    <message>
        <source>The question &quot;%1&quot; cannot become a test even with its shared right phrases made distinct: %2.</source>
        <translation>Въпросът „%1“ не може да стане тест дори с различени общи десни фрази: %2.</translation>
    </message>
    <message>
        <source>%1 is there already; nothing was written.</source>
        <translation>%1 вече съществува; нищо не е записано.</translation>
    </message>
    <message>
        <source>the test has %1 pairs, but a matching question in Moodle needs at least %2; nothing was written</source>
        <translation>тестът има %1 двойки, а въпрос за съпоставяне в Moodle трябва да има поне %2; нищо не е записано</translation>
    </message>
</context>
<context>
    <name>EditorTable</name>
    <message>
        <source>Left phrase without a partner</source>
        <translation>Лява фраза без дясна</translation>
    </message>
    <message>
        <source>Extra right phrase (no left partner)</source>
        <translation>Излишна дясна фраза (без лява)</translation>
    </message>
    <message>
        <source>Explanation lines</source>
        <translation>Обяснителни редове</translation>
    </message>
    <message>
        <source>Enter keeps the lines, Shift+Enter starts a new line, Escape cancels.</source>
        <translation>Enter запазва редовете, Shift+Enter започва нов ред, Escape отменя.</translation>
    </message>
    <message>
        <source>Left phrase</source>
        <translation>Лява фраза</translation>
    </message>
    <message>
        <source>Right phrase</source>
        <translation>Дясна фраза</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>Картинка</translation>
    </message>
    <message>
        <source>Choose a row of the table first, then its picture.</source>
        <translation>Първо изберете ред от таблицата, после картинката му.</translation>
    </message>
    <message>
        <source>This picture cannot be used: %1.</source>
        <translation>Тази картинка не може да се използва: %1.</translation>
    </message>
    <message>
        <source>Rows of the test</source>
        <translation>Редове на теста</translation>
    </message>
    <message>
        <source>One row for each question: left phrase, right phrase, explanation lines and picture. Type into a cell to change it; F2 edits the cell.</source>
        <translation>По един ред за всеки въпрос: лява фраза, дясна фраза, обяснителни редове и картинка. Пишете в клетка, за да я промените; F2 редактира клетката.</translation>
    </message>
</context>
<context>
    <name>EditorTableView</name>
    <message>
        <source>Ctrl+Tab and Ctrl+Shift+Tab leave the table.</source>
        <translation>Ctrl+Tab и Ctrl+Shift+Tab излизат от таблицата.</translation>
    </message>
    <message numerus="yes">
        <source>Cut %n row(s).</source>
        <translation>
            <numerusform>Изрязан е %n ред.</numerusform>
            <numerusform>Изрязани са %n реда.</numerusform>
        </translation>
    </message>
    <message>
        <source>Choose the rows to copy first.</source>
        <translation>Първо изберете редовете за копиране.</translation>
    </message>
    <message numerus="yes">
        <source>Copied %n row(s).</source>
        <translation>
            <numerusform>Копиран е %n ред.</numerusform>
            <numerusform>Копирани са %n реда.</numerusform>
        </translation>
    </message>
    <message>
        <source>There is no text to paste. Copy cells in a spreadsheet or in this table first.</source>
        <translation>Няма текст за поставяне. Първо копирайте клетки от електронна таблица или от тази таблица.</translation>
    </message>
    <message numerus="yes">
        <source>%n cell(s) of each row fell past the explanation column and were left out.</source>
        <translation>
            <numerusform>%n клетка от всеки ред е след колоната за обяснение и е пропусната.</numerusform>
            <numerusform>%n клетки от всеки ред са след колоната за обяснение и са пропуснати.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Deleted %n row(s). Undo brings them back.</source>
        <translation>
            <numerusform>Изтрит е %n ред. „Отмени“ го връща.</numerusform>
            <numerusform>Изтрити са %n реда. „Отмени“ ги връща.</numerusform>
        </translation>
    </message>
    <message>
        <source>The selected cells are not one block. Select one block of cells to replace them, or one cell to insert the rows there.</source>
        <translation>Избраните клетки не са едно цяло. Изберете едно цяло от клетки, за да ги замените, или една клетка, за да вмъкнете редовете там.</translation>
    </message>
    <message>
        <source>The table already holds the pasted text; nothing changed.</source>
        <translation>Таблицата вече съдържа поставения текст; нищо не се промени.</translation>
    </message>
    <message numerus="yes">
        <source>Added %n pasted row(s) at the end of the table.</source>
        <translation>
            <numerusform>Добавен е %n поставен ред в края на таблицата.</numerusform>
            <numerusform>Добавени са %n поставени реда в края на таблицата.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Inserted %n pasted row(s) at the selected row; no row was replaced.</source>
        <translation>
            <numerusform>Вмъкнат е %n поставен ред на мястото на избрания ред; никой ред не е заменен.</numerusform>
            <numerusform>Вмъкнати са %n поставени реда на мястото на избрания ред; никой ред не е заменен.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Replaced the selected cells of %n row(s).</source>
        <translation>
            <numerusform>Заменени са избраните клетки на %n ред.</numerusform>
            <numerusform>Заменени са избраните клетки на %n реда.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n more line(s) did not fit in the selection and were inserted below it.</source>
        <translation>
            <numerusform>Още %n ред не се побра в избраното и е вмъкнат под него.</numerusform>
            <numerusform>Още %n реда не се побраха в избраното и са вмъкнати под него.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n cell(s) of each line fell outside the selected cells and were left out.</source>
        <translation>
            <numerusform>%n клетка от всеки ред остана извън избраните клетки и е пропусната.</numerusform>
            <numerusform>%n клетки от всеки ред останаха извън избраните клетки и са пропуснати.</numerusform>
        </translation>
    </message>
    <message>
        <source>Ctrl+Z undoes the paste.</source>
        <translation>Ctrl+Z отменя поставянето.</translation>
    </message>
</context>
<context>
    <name>EditorTryOut</name>
    <message>
        <source>The test cannot be tried: %1. Mend it, then try again.</source>
        <translation>Тестът не може да се пробва: %1. Поправете го и опитайте отново.</translation>
    </message>
    <message numerus="yes">
        <source>The test has %n problem(s); the window shows it as far as it can be read. Mend them before you make a program.</source>
        <translation>
            <numerusform>Тестът има %n проблем; прозорецът го показва дотолкова, доколкото може да се прочете. Поправете го, преди да направите програма.</numerusform>
            <numerusform>Тестът има %n проблема; прозорецът го показва дотолкова, доколкото може да се прочете. Поправете ги, преди да направите програма.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>EditorWindow</name>
    <message>
        <source>Line %1: %2</source>
        <translation>Ред %1 на test.kaz: %2</translation>
    </message>
    <message>
        <source>KAZ editor</source>
        <translation>KAZ редактор</translation>
    </message>
    <message>
        <source>Picture of the current row</source>
        <translation>Картинка на текущия ред</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Файл</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Нов</translation>
    </message>
    <message>
        <source>&amp;Open folder…</source>
        <translation>&amp;Отвори папка…</translation>
    </message>
    <message>
        <source>Open a &amp;GIFT or Moodle XML file…</source>
        <translation>Отвори &amp;GIFT или Moodle XML файл…</translation>
    </message>
    <message>
        <source>Open p&amp;rogram…</source>
        <translation>Отвори &amp;програма…</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Запази</translation>
    </message>
    <message>
        <source>Save &amp;as…</source>
        <translation>Запази &amp;като…</translation>
    </message>
    <message>
        <source>&amp;Make program…</source>
        <translation>Нап&amp;рави програма…</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Изход</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Редакция</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Отмени</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Повтори</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>Из&amp;режи</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Копирай</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>Пос&amp;тави</translation>
    </message>
    <message>
        <source>&amp;Add row</source>
        <translation>&amp;Добави ред</translation>
    </message>
    <message>
        <source>&amp;Delete rows</source>
        <translation>&amp;Изтрий редовете</translation>
    </message>
    <message>
        <source>Move u&amp;p</source>
        <translation>Премести на&amp;горе</translation>
    </message>
    <message>
        <source>Move do&amp;wn</source>
        <translation>Премести надо&amp;лу</translation>
    </message>
    <message>
        <source>&amp;Test</source>
        <translation>&amp;Тест</translation>
    </message>
    <message>
        <source>&amp;Try</source>
        <translation>&amp;Опитай</translation>
    </message>
    <message>
        <source>&amp;Check now</source>
        <translation>&amp;Провери сега</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Помощ</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;За програмата</translation>
    </message>
    <message>
        <source>Try and make</source>
        <translation>Опитай и направи</translation>
    </message>
    <message>
        <source>New test</source>
        <translation>Нов тест</translation>
    </message>
    <message>
        <source>%1[*] — KAZ editor</source>
        <translation>%1[*] — KAZ редактор</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Добре</translation>
    </message>
    <message>
        <source>The editor closed before the test &quot;%1&quot; was saved. A copy of it from %2 is kept. Do you want it back?</source>
        <translation>Редакторът се затвори, преди тестът „%1“ да бъде запазен. Негово копие от %2 е съхранено. Искате ли да го върнете?</translation>
    </message>
    <message>
        <source>Restore opens the copy; save it to keep it. Discard deletes the copy.</source>
        <translation>„Възстанови“ отваря копието; запазете го, за да го задържите. „Отхвърли“ изтрива копието.</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Възстанови</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Отхвърли</translation>
    </message>
    <message>
        <source>The copy of &quot;%1&quot; is back. Save it to keep it.</source>
        <translation>Копието на „%1“ е върнато. Запазете го, за да го задържите.</translation>
    </message>
    <message>
        <source>The copy could not be restored.</source>
        <translation>Копието не можа да се възстанови.</translation>
    </message>
    <message>
        <source>The last test could not be opened: %1. Open another one from the File menu.</source>
        <translation>Последният тест не можа да се отвори: %1. Отворете друг от менюто „Файл“.</translation>
    </message>
    <message>
        <source>There is no file or folder %1. Check the name, or open a test from the File menu.</source>
        <translation>Няма файл или папка %1. Проверете името или отворете тест от менюто „Файл“.</translation>
    </message>
    <message>
        <source>The test could not be opened.</source>
        <translation>Тестът не можа да се отвори.</translation>
    </message>
    <message>
        <source>Some lines of test.kaz do not fit in the editor. The test is open without them, and saving it leaves them out.</source>
        <translation>Някои редове от test.kaz не могат да се поместят в редактора. Тестът е отворен без тях и при запазване те отпадат.</translation>
    </message>
    <message>
        <source>The file could not be opened.</source>
        <translation>Файлът не можа да се отвори.</translation>
    </message>
    <message numerus="yes">
        <source>The test has %n problem(s), and a test with problems cannot be tried. Mend them first: choose one in the list of problems to go to it.</source>
        <translation>
            <numerusform>Тестът има %n проблем, а тест с проблеми не може да се пробва. Първо го поправете: изберете го в списъка с проблеми, за да отидете до него.</numerusform>
            <numerusform>Тестът има %n проблема, а тест с проблеми не може да се пробва. Първо ги поправете: изберете един от тях в списъка с проблеми, за да отидете до него.</numerusform>
        </translation>
    </message>
    <message>
        <source>Opened %1. Save the test to give it a folder of its own.</source>
        <translation>Отворено: %1. Запазете теста, за да получи своя папка.</translation>
    </message>
    <message>
        <source>Opened %1.</source>
        <translation>Отворено: %1.</translation>
    </message>
    <message>
        <source>The test &quot;%1&quot; has changes that are not saved. Save them?</source>
        <translation>Тестът „%1“ има незапазени промени. Да се запазят ли?</translation>
    </message>
    <message>
        <source>Don&apos;t save drops the changes.</source>
        <translation>„Не запазвай“ отхвърля промените.</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Запази</translation>
    </message>
    <message>
        <source>Don&apos;t save</source>
        <translation>Не запазвай</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отказ</translation>
    </message>
    <message>
        <source>The test was not saved.</source>
        <translation>Тестът не е запазен.</translation>
    </message>
    <message>
        <source>Saved in %1.</source>
        <translation>Запазено в %1.</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Замени</translation>
    </message>
    <message>
        <source>The folder %1 could not be made. Choose another place.</source>
        <translation>Папката %1 не можа да се направи. Изберете друго място.</translation>
    </message>
    <message>
        <source>No copy of the unsaved changes could be kept: %1. Save the test often.</source>
        <translation>Не можа да се запази копие на незапазените промени: %1. Запазвайте теста често.</translation>
    </message>
    <message>
        <source>The test has no problems.</source>
        <translation>Тестът няма проблеми.</translation>
    </message>
    <message numerus="yes">
        <source>The test has %n problem(s). Choose one in the list to go to it.</source>
        <translation>
            <numerusform>Тестът има %n проблем. Изберете го в списъка, за да отидете до него.</numerusform>
            <numerusform>Тестът има %n проблема. Изберете един от тях в списъка, за да отидете до него.</numerusform>
        </translation>
    </message>
    <message>
        <source>KAZ editor %1</source>
        <translation>KAZ редактор %1</translation>
    </message>
    <message>
        <source>Writes and changes KAZ matching tests: the pairs, their explanations and pictures, and the test window&apos;s size. &quot;Try&quot; shows the test as a learner sees it; &quot;Make program&quot; turns it into one program file to hand out.</source>
        <translation>Пише и променя тестове за съпоставяне на KAZ: двойките, обясненията и картинките им и размера на прозореца на теста. „Опитай“ показва теста така, както го вижда ученикът; „Направи програма“ го превръща в един файл-програма за раздаване.</translation>
    </message>
    <message>
        <source>Make program</source>
        <translation>Направи програма</translation>
    </message>
    <message>
        <source>More menus</source>
        <translation>Още менюта</translation>
    </message>
    <message>
        <source>More commands</source>
        <translation>Още команди</translation>
    </message>
    <message>
        <source>No test could be opened from %1.</source>
        <translation>От %1 не може да се отвори тест.</translation>
    </message>
    <message>
        <source>A copy of unsaved work from %1 cannot be restored: %2.</source>
        <translation>Копие на незапазена работа от %1 не може да се възстанови: %2.</translation>
    </message>
    <message>
        <source>Remove deletes the copy. Keep leaves it, and the editor asks again at its next start.</source>
        <translation>„Премахни“ изтрива копието. „Остави“ го оставя и редакторът пита отново при следващото си пускане.</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Премахни</translation>
    </message>
    <message>
        <source>Keep</source>
        <translation>Остави</translation>
    </message>
    <message>
        <source>Copies of other unsaved tests are kept; the editor offers them at its next start.</source>
        <translation>Копията на други незапазени тестове са съхранени; редакторът ги предлага при следващото си пускане.</translation>
    </message>
    <message>
        <source>&amp;Undo %1</source>
        <translation>&amp;Отмени: %1</translation>
    </message>
    <message>
        <source>&amp;Redo %1</source>
        <translation>&amp;Повтори: %1</translation>
    </message>
    <message>
        <source>&amp;Guide</source>
        <translation>&amp;Ръководство</translation>
    </message>
    <message>
        <source>The address is empty: the learner&apos;s title bar shows the title alone.</source>
        <translation>Адресът е празен: в заглавната лента на ученика се вижда само заглавието.</translation>
    </message>
    <message>
        <source>The address %1 is the one of the test you saved last.</source>
        <translation>Адресът %1 е този на теста, който сте запазили последен.</translation>
    </message>
    <message>
        <source>A new test. Add its first row with %1, or paste pairs from a spreadsheet with %2.</source>
        <translation>Нов тест. Добавете първия му ред с %1 или поставете двойки от електронна таблица с %2.</translation>
    </message>
    <message>
        <source>&amp;Widen the lists to fit the phrases</source>
        <translation>&amp;Разшири списъците според фразите</translation>
    </message>
    <message numerus="yes">
        <source>The test has no problems, but %n warning(s): see the list.</source>
        <translation>
            <numerusform>Тестът няма проблеми, но има %n предупреждение: вижте списъка.</numerusform>
            <numerusform>Тестът няма проблеми, но има %n предупреждения: вижте списъка.</numerusform>
        </translation>
    </message>
    <message>
        <source>Every phrase already fits its list.</source>
        <translation>Всяка фраза вече се побира в списъка си.</translation>
    </message>
    <message>
        <source>Every phrase fits its list now; the window kept its width. Undo (Ctrl+Z) takes it back.</source>
        <translation>Всяка фраза вече се побира в списъка си; прозорецът запази ширината си. „Отмени“ (Ctrl+Z) връща предишните размери.</translation>
    </message>
    <message>
        <source>Every phrase fits its list now: the window grew to %1 pixels, and its buttons and boxes keep their places on the left. Ctrl+Z takes it back.</source>
        <translation>Всяка фраза вече се побира в списъка си: прозорецът стана широк %1 пиксела, а бутоните и полетата му остават на местата си вляво. Ctrl+Z го връща.</translation>
    </message>
    <message>
        <source>The window is now as wide as a screen of 1280 pixels allows, yet some phrases are still cut: the warnings name them; shorten them.</source>
        <translation>Прозорецът вече е толкова широк, колкото позволява екран от 1280 точки, а някои фрази пак са отрязани: предупрежденията ги назовават; съкратете ги.</translation>
    </message>
    <message>
        <source>The window is already as wide as a screen of 1280 pixels allows: shorten the phrases the warnings name.</source>
        <translation>Прозорецът вече е толкова широк, колкото позволява екран от 1280 точки: съкратете фразите, които предупрежденията назовават.</translation>
    </message>
    <message>
        <source>Mend the window&apos;s and the lists&apos; sizes first: the problems list says what is wrong with them.</source>
        <translation>Първо поправете размерите на прозореца и списъците: списъкът с проблеми казва какво не е наред с тях.</translation>
    </message>
    <message>
        <source>Another program is saving into %1 just now. The test is saved as soon as it is done.</source>
        <translation>В момента друга програма записва в %1. Тестът ще се запази веднага щом тя свърши.</translation>
    </message>
    <message>
        <source>The test cannot be saved in its folder: %1.</source>
        <translation>Тестът не може да се запази в папката си: %1.</translation>
    </message>
    <message>
        <source>Save as… saves it as a test of your own, in a new folder named after its title inside the folder you choose.</source>
        <translation>„Запази като…“ го запазва като ваш тест, в нова папка, наречена по заглавието му, в папката, която изберете.</translation>
    </message>
    <message>
        <source>Save as…</source>
        <translation>Запази като…</translation>
    </message>
    <message numerus="yes">
        <source>Saved in %1. The test has %n problem(s); mend them before you make a program.</source>
        <translation>
            <numerusform>Запазено в %1. Тестът има %n проблем; поправете го, преди да направите програма.</numerusform>
            <numerusform>Запазено в %1. Тестът има %n проблема; поправете ги, преди да направите програма.</numerusform>
        </translation>
    </message>
    <message>
        <source>The test cannot be saved there: %1.</source>
        <translation>Тестът не може да се запази там: %1.</translation>
    </message>
    <message>
        <source>Choose a folder of your own, such as Documents.</source>
        <translation>Изберете своя папка, например Документи.</translation>
    </message>
    <message>
        <source>New folder</source>
        <translation>Нова папка</translation>
    </message>
    <message>
        <source>The folder %1 holds the test &quot;%2&quot;.</source>
        <translation>В папката %1 е тестът „%2“.</translation>
    </message>
    <message>
        <source>Replace deletes the test &quot;%1&quot; and puts this one in its place. Cancel lets you choose another folder.</source>
        <translation>„Замени“ изтрива теста „%1“ и слага този на мястото му. „Отказ“ ви връща към избора на папка.</translation>
    </message>
    <message>
        <source>New folder saves this test beside it, in %1. Replace deletes the test &quot;%2&quot; and puts this one in its place. Cancel lets you choose another folder.</source>
        <translation>„Нова папка“ запазва този тест до него, в %1. „Замени“ изтрива теста „%2“ и слага този на мястото му. „Отказ“ ви връща към избора на папка.</translation>
    </message>
    <message>
        <source>E&amp;xport for Moodle…</source>
        <translation>Изн&amp;еси за Moodle…</translation>
    </message>
    <message>
        <source>In the question &quot;%1&quot; several left phrases go with the same right phrase &quot;%2&quot;, but in a KAZ test each left phrase has a right phrase of its own.</source>
        <translation>Във въпроса „%1“ няколко леви фрази вървят с една и съща дясна фраза „%2“, а в тест на KAZ всяка лява фраза има своя собствена дясна фраза.</translation>
    </message>
    <message>
        <source>The editor can tell the shared right phrases apart by a number: &quot;%1&quot;, &quot;%1 (2)&quot;, &quot;%1 (3)&quot; … You can change them afterwards. Or leave this question out.</source>
        <translation>Редакторът може да различи общите десни фрази с номер: „%1“, „%1 (2)“, „%1 (3)“ … После можете да ги промените. Или оставете въпроса настрана.</translation>
    </message>
    <message>
        <source>Number them</source>
        <translation>Номерирай ги</translation>
    </message>
    <message>
        <source>Leave it out</source>
        <translation>Пропусни въпроса</translation>
    </message>
    <message>
        <source>These files are there already:
%1</source>
        <translation>Тези файлове вече съществуват:
%1</translation>
    </message>
    <message>
        <source>Replace them with the test as it is now?</source>
        <translation>Да бъдат ли заменени с теста, какъвто е сега?</translation>
    </message>
    <message>
        <source>The files for Moodle could not be written.</source>
        <translation>Файловете за Moodle не можаха да се запишат.</translation>
    </message>
    <message>
        <source>To bring the test into Moodle: in your course open Question bank → Import, choose &quot;Moodle XML format&quot;, then choose the file %1 and press Import. The test becomes a matching question in the question bank, pictures included; add it to a quiz from there.</source>
        <translation>За да внесете теста в Moodle: в курса си отворете Банка с въпроси → Импортиране, изберете &quot;Moodle XML формат&quot;, после изберете файла %1 и натиснете „Импортиране“. Тестът става въпрос за съпоставяне в банката с въпроси, заедно с картинките; оттам го добавете в тест на Moodle.</translation>
    </message>
    <message>
        <source>The file %1 holds the same question in GIFT, for a system that reads GIFT.</source>
        <translation>Файлът %1 съдържа същия въпрос във формат GIFT, за система, която чете GIFT.</translation>
    </message>
    <message>
        <source>Written for Moodle: %1</source>
        <translation>Записано за Moodle: %1</translation>
    </message>
    <message>
        <source>The test is written for Moodle:
%1
%2</source>
        <translation>Тестът е записан за Moodle:
%1
%2</translation>
    </message>
</context>
<context>
    <name>FileAccess</name>
    <message>
        <source>a file</source>
        <translation>файл</translation>
    </message>
    <message>
        <source>a folder</source>
        <translation>папка</translation>
    </message>
    <message>
        <source>a device</source>
        <translation>устройство</translation>
    </message>
    <message>
        <source>a named pipe (FIFO)</source>
        <translation>именуван канал (FIFO)</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>сокет</translation>
    </message>
    <message>
        <source>something else</source>
        <translation>нещо друго</translation>
    </message>
    <message>
        <source>it is %1, not a file</source>
        <translation>това е %1, а не файл</translation>
    </message>
    <message>
        <source>; you may not read it: ask for the permission, or use a copy of your own</source>
        <translation>; нямате право да го четете: поискайте разрешение или използвайте свое копие</translation>
    </message>
    <message>
        <source>the file is a symbolic link%1; put the file itself in its place, not a link to it</source>
        <translation>файлът е символна връзка%1; сложете на негово място самия файл, а не връзка към него</translation>
    </message>
    <message>
        <source> (to &quot;%1&quot;)</source>
        <translation> (към „%1“)</translation>
    </message>
    <message>
        <source>cannot %1 %2: %3; %4</source>
        <translation>не може да се %1 %2: %3; %4</translation>
    </message>
    <message>
        <source>make the folder</source>
        <translation>създаде папката</translation>
    </message>
    <message>
        <source>write</source>
        <translation>запише</translation>
    </message>
    <message>
        <source>%1 is a link to &quot;%2&quot;; nothing is written through a link, so that no file outside %3 changes; remove the link or choose another folder</source>
        <translation>%1 е връзка към „%2“; през връзка нищо не се записва, за да не се промени никой файл извън %3; премахнете връзката или изберете друга папка</translation>
    </message>
    <message>
        <source>%1 is in the way: it is not a folder, but a folder should be there; move it away or choose another folder</source>
        <translation>%1 пречи: това не е папка, а там трябва да има папка; преместете го другаде или изберете друга папка</translation>
    </message>
    <message>
        <source>%1 cannot be replaced: %2; remove it or choose another folder</source>
        <translation>%1 не може да се замени: %2; премахнете го или изберете друга папка</translation>
    </message>
    <message>
        <source>you may not write there; choose a folder of your own, such as one in your home folder</source>
        <translation>нямате право да записвате там; изберете своя папка, например в домашната си папка</translation>
    </message>
    <message>
        <source>that disk can only be read (a locked USB stick, a CD?); choose a folder on another disk</source>
        <translation>този диск може само да се чете (заключена USB памет, компактдиск?); изберете папка на друг диск</translation>
    </message>
    <message>
        <source>the disk is full; make room on it or choose a folder on another disk</source>
        <translation>дискът е пълен; освободете място на него или изберете папка на друг диск</translation>
    </message>
    <message>
        <source>choose another folder</source>
        <translation>изберете друга папка</translation>
    </message>
    <message>
        <source>there is no such file</source>
        <translation>няма такъв файл</translation>
    </message>
    <message>
        <source>; put a plain file in its place</source>
        <translation>; сложете на негово място обикновен файл</translation>
    </message>
    <message>
        <source>it is a link that leads round in a circle back to itself (a loop of links); put the file itself in its place</source>
        <translation>това е връзка, която води в кръг обратно към себе си (кръг от връзки); сложете на нейно място самия файл</translation>
    </message>
    <message>
        <source>it is a link to &quot;%1&quot;, which does not exist; put the file itself in its place</source>
        <translation>това е връзка към „%1“, който не съществува; сложете на нейно място самия файл</translation>
    </message>
    <message>
        <source>%1 (it is a link to &quot;%2&quot;); put a plain file in its place</source>
        <translation>%1 (това е връзка към „%2“); сложете на нейно място обикновен файл</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 байта</translation>
    </message>
    <message>
        <source>%1 KB</source>
        <translation>%1 KB</translation>
    </message>
    <message>
        <source>%1 MB</source>
        <translation>%1 MB</translation>
    </message>
    <message>
        <source>it is %1, larger than %2</source>
        <translation>размерът му е %1, повече от %2</translation>
    </message>
    <message>
        <source>it is not a plain file</source>
        <translation>това не е обикновен файл</translation>
    </message>
    <message>
        <source>%1 is a link to &quot;%2&quot;, which does not exist; choose another folder</source>
        <translation>%1 е връзка към „%2“, който не съществува; изберете друга папка</translation>
    </message>
    <message>
        <source>write in</source>
        <translation>пише в</translation>
    </message>
    <message>
        <source>%1 is not a folder but %2; choose another folder</source>
        <translation>%1 не е папка, а %2; изберете друга папка</translation>
    </message>
    <message>
        <source>no such file or directory</source>
        <translation>няма такъв файл или папка</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>нямате разрешение</translation>
    </message>
    <message>
        <source>operation not permitted</source>
        <translation>действието не е разрешено</translation>
    </message>
    <message>
        <source>is a directory</source>
        <translation>това е папка</translation>
    </message>
    <message>
        <source>not a directory</source>
        <translation>това не е папка</translation>
    </message>
    <message>
        <source>no space left on device</source>
        <translation>на диска няма свободно място</translation>
    </message>
    <message>
        <source>read-only file system</source>
        <translation>дискът може само да се чете</translation>
    </message>
    <message>
        <source>input/output error</source>
        <translation>грешка при четене или запис на диска</translation>
    </message>
    <message>
        <source>file name too long</source>
        <translation>името на файла е твърде дълго</translation>
    </message>
    <message>
        <source>too many levels of symbolic links</source>
        <translation>твърде много вложени символни връзки</translation>
    </message>
    <message>
        <source>disk quota exceeded</source>
        <translation>квотата ви на диска е изчерпана</translation>
    </message>
    <message>
        <source>file exists</source>
        <translation>файлът вече съществува</translation>
    </message>
    <message>
        <source>device or resource busy</source>
        <translation>устройството е заето</translation>
    </message>
    <message>
        <source>file too large</source>
        <translation>файлът е твърде голям</translation>
    </message>
    <message>
        <source>make that folder first, or choose one that exists</source>
        <translation>първо създайте тази папка или изберете папка, която съществува</translation>
    </message>
    <message>
        <source>finish saving</source>
        <translation>довърши записването на</translation>
    </message>
    <message>
        <source>another program is saving into %1 just now; wait until it is done and try again</source>
        <translation>друга програма записва в %1 точно сега; изчакайте да приключи и опитайте отново</translation>
    </message>
    <message>
        <source>; remove it or choose another name</source>
        <translation>; премахнете го или изберете друго име</translation>
    </message>
    <message>
        <source>too many open files</source>
        <translation>твърде много отворени файлове</translation>
    </message>
    <message>
        <source>too many open files in system</source>
        <translation>твърде много отворени файлове в системата</translation>
    </message>
    <message>
        <source>this program has too many files open at once; close it, start it again and try once more</source>
        <translation>тази програма държи твърде много файлове отворени наведнъж; затворете я, пуснете я отново и опитайте пак</translation>
    </message>
    <message>
        <source>the computer has too many files open at once; close some programs and try again</source>
        <translation>компютърът държи твърде много файлове отворени наведнъж; затворете някои програми и опитайте отново</translation>
    </message>
    <message>
        <source>a save into %1 was cut short, so some of its files are new and others still old; finishing it needs to write in the folder, and that failed (%2). Open the test in the KAZ editor where you may write to the folder, or copy the whole folder, its hidden files too, to a folder of your own and use the copy</source>
        <translation>записът в %1 е прекъснат, затова някои от файловете са нови, а други още стари; довършването му изисква писане в папката, а това не успя (%2). Отворете теста в редактора на KAZ там, където може да пишете в папката, или копирайте цялата папка, заедно със скритите ѝ файлове, в своя папка и използвайте копието</translation>
    </message>
</context>
<context>
    <name>Gift</name>
    <message>
        <source>%1:%2: note: %3</source>
        <translation>%1:%2: бележка: %3</translation>
    </message>
    <message>
        <source>%1:%2: error: %3</source>
        <translation>%1:%2: грешка: %3</translation>
    </message>
    <message>
        <source>%1: note: %2</source>
        <translation>%1: бележка: %2</translation>
    </message>
    <message>
        <source>%1: error: %2</source>
        <translation>%1: грешка: %2</translation>
    </message>
    <message>
        <source>a blank line inside the answers of the question on line %1; a blank line ends a question, so remove it</source>
        <translation>празен ред между отговорите на въпроса от ред %1; празният ред завършва въпроса, затова го премахнете</translation>
    </message>
    <message>
        <source>this line holds an invisible control character (character code %1), which a KAZ test cannot hold; such characters come with text copied out of other programs: delete it, or type the line again</source>
        <translation>на този ред има невидим управляващ знак (код на знака %1), какъвто тестът на KAZ не може да съдържа; такива знаци идват с текст, копиран от други програми: изтрийте го или напишете реда наново</translation>
    </message>
    <message>
        <source>the title opened with &quot;::&quot; is not closed; write it as ::title:: (and \: for a colon inside it)</source>
        <translation>заглавието, започнато с „::“, не е затворено; пишете го като ::заглавие:: (и \: за двоеточие в него)</translation>
    </message>
    <message>
        <source>a &quot;}&quot; without an opening &quot;{&quot;; write \} for a brace in the text</source>
        <translation>„}“ без отваряща „{“; пишете \} за скоба в текста</translation>
    </message>
    <message>
        <source> &quot;%1&quot;</source>
        <translation> „%1“</translation>
    </message>
    <message>
        <source>skipped the description%1: it has no answers in braces; only matching questions become tests</source>
        <translation>пропуска се описанието%1: то няма отговори във фигурни скоби; тестове стават само въпросите за съпоставяне</translation>
    </message>
    <message>
        <source>the &quot;{&quot; of the answers is never closed; end the answers with &quot;}&quot; before the next blank line (write \{ for a brace in the text)</source>
        <translation>„{“ на отговорите никога не се затваря; завършете отговорите с „}“ преди следващия празен ред (пишете \{ за скоба в текста)</translation>
    </message>
    <message>
        <source>a second &quot;{&quot; inside the answers opened on line %1; close them with &quot;}&quot; first, or write \{ for a brace</source>
        <translation>втора „{“ вътре в отговорите, отворени на ред %1; първо ги затворете с „}“ или пишете \{ за скоба</translation>
    </message>
    <message>
        <source>a second answer block in one question (the first ends on line %1); separate questions with a blank line, or write \%2 for a brace in the text</source>
        <translation>втори блок с отговори в един въпрос (първият завършва на ред %1); разделяйте въпросите с празен ред или пишете \%2 за скоба в текста</translation>
    </message>
    <message>
        <source>essay</source>
        <translation>есе</translation>
    </message>
    <message>
        <source>numerical question</source>
        <translation>числов въпрос</translation>
    </message>
    <message>
        <source>multiple-choice question</source>
        <translation>въпрос с избор на отговор</translation>
    </message>
    <message>
        <source>true/false question</source>
        <translation>въпрос „вярно/невярно“</translation>
    </message>
    <message>
        <source>short-answer question</source>
        <translation>въпрос с кратък отговор</translation>
    </message>
    <message>
        <source>skipped the %1%2; only matching questions become tests</source>
        <translation>пропуска се %1%2; тестове стават само въпросите за съпоставяне</translation>
    </message>
    <message>
        <source>the title has %1 characters, but a title may have at most %2, as in Moodle; shorten it</source>
        <translation>заглавието има %1 знака, а заглавие може да има най-много %2, както в Moodle; съкратете го</translation>
    </message>
    <message>
        <source>the text of the question &quot;%1&quot; has a line of %2 characters, but a line of a KAZ test may hold at most %3; break the text into lines with \n</source>
        <translation>текстът на въпроса „%1“ има ред от %2 знака, а ред от тест на KAZ може да има най-много %3; разделете текста на редове с \n</translation>
    </message>
    <message>
        <source>&quot;%1&quot; stands before the first pair of the matching question; every pair starts with &quot;=&quot;, as in =left -&gt; right</source>
        <translation>„%1“ стои преди първата двойка на въпроса за съпоставяне; всяка двойка започва с „=“, например =ляво -&gt; дясно</translation>
    </message>
    <message>
        <source>the pair &quot;=%1&quot; has no &quot;-&gt;&quot;; write it as =left -&gt; right</source>
        <translation>двойката „=%1“ няма „-&gt;“; пишете я като =ляво -&gt; дясно</translation>
    </message>
    <message>
        <source>this pair has a part of %1 characters, but a phrase of a KAZ test may hold at most %2; shorten it</source>
        <translation>тази двойка има част от %1 знака, а фраза от тест на KAZ може да има най-много %2; съкратете я</translation>
    </message>
    <message>
        <source>the pair &quot;=%1&quot; has nothing after &quot;-&gt;&quot;; every pair needs a right part</source>
        <translation>двойката „=%1“ няма нищо след „-&gt;“; всяка двойка трябва да има дясна част</translation>
    </message>
    <message>
        <source>the right part &quot;%1&quot; is already on line %2; the phrases of one side of a KAZ test must differ, so change one of them</source>
        <translation>дясната част „%1“ вече е на ред %2; фразите от една страна на теста на KAZ трябва да са различни, затова променете едната от тях</translation>
    </message>
    <message>
        <source>the left part &quot;%1&quot; is already on line %2; the phrases of one side of a KAZ test must differ, so change one of them</source>
        <translation>лявата част „%1“ вече е на ред %2; фразите от една страна на теста на KAZ трябва да са различни, затова променете едната от тях</translation>
    </message>
    <message>
        <source>the matching question &quot;%1&quot; has %2 %3 but needs at least %4, as in Moodle; add pairs written =left -&gt; right</source>
        <translation>въпросът за съпоставяне „%1“ има %2 %3, а трябва да има поне %4, както в Moodle; добавете двойки, написани като =ляво -&gt; дясно</translation>
    </message>
    <message>
        <source>pair</source>
        <translation>двойка</translation>
    </message>
    <message>
        <source>pairs</source>
        <translation>двойки</translation>
    </message>
    <message>
        <source>the matching question &quot;%1&quot; has %2 pairs and %3 extra right parts; in a KAZ test &quot;Оцени&quot; opens only when the pairs made are at least three times the right phrases left over, so a question may have at most one extra right part for every three pairs (here %4); remove extra right parts or add pairs</source>
        <translation>въпросът за съпоставяне „%1“ има %2 двойки и %3 излишни десни части; в тест на KAZ „Оцени“ се отваря само когато направените двойки са поне три пъти повече от останалите десни фрази, затова въпросът може да има най-много една излишна дясна част на всеки три двойки (тук %4); махнете излишни десни части или добавете двойки</translation>
    </message>
    <message>
        <source>the matching question &quot;%1&quot; has %2 right parts; a KAZ test holds at most %3</source>
        <translation>въпросът за съпоставяне „%1“ има %2 десни части; тестът на KAZ може да има най-много %3</translation>
    </message>
    <message>
        <source>%1 exists and is not a folder; remove it or choose another output folder</source>
        <translation>%1 съществува и не е папка; премахнете го или изберете друга папка за резултата</translation>
    </message>
    <message>
        <source>the folder %1 already exists; use --force to replace its test.kaz, or choose another output folder</source>
        <translation>папката %1 вече съществува; дайте --force, за да замените нейния test.kaz, или изберете друга папка за резултата</translation>
    </message>
    <message>
        <source>; no test was written</source>
        <translation>; не е записан тест</translation>
    </message>
    <message>
        <source>the file is not UTF-8 text; save it as UTF-8 (in Notepad: File, Save as, Encoding: UTF-8)</source>
        <translation>файлът не е текст UTF-8; запазете го като UTF-8 (в Notepad: File, Save as, Encoding: UTF-8)</translation>
    </message>
    <message>
        <source>description</source>
        <translation>описание</translation>
    </message>
    <message>
        <source>%1:%2: warning: %3</source>
        <translation>%1:%2: предупреждение: %3</translation>
    </message>
    <message>
        <source>%1: warning: %2</source>
        <translation>%1: предупреждение: %2</translation>
    </message>
</context>
<context>
    <name>Kazpack</name>
    <message>
        <source>; it is no test program made by kazpack</source>
        <translation>; това не е програма с тест, направена с kazpack</translation>
    </message>
    <message>
        <source>; ask for the program again, or make it again</source>
        <translation>; поискайте програмата отново или я направете наново</translation>
    </message>
    <message>
        <source>; use the kazpack of a newer KAZ</source>
        <translation>; използвайте kazpack от по-нова версия на KAZ</translation>
    </message>
    <message>
        <source>%1: error: cannot write the menu entry: %2</source>
        <translation>%1: грешка: записът в менюто не може да се запише: %2</translation>
    </message>
    <message>
        <source>%1: error: cannot write the icon: %2</source>
        <translation>%1: грешка: иконата не може да се запише: %2</translation>
    </message>
    <message>
        <source>%1: error: cannot remove the file</source>
        <translation>%1: грешка: файлът не може да се премахне</translation>
    </message>
    <message>
        <source>no program was written</source>
        <translation>не е записана програма</translation>
    </message>
    <message>
        <source>kazpack: error: the quiz runner is not at %1; install KAZ again, or give a runner with --runner RUNNER</source>
        <translation>kazpack: грешка: основната програма на KAZ (kazrunner) не е в %1; инсталирайте KAZ отново или посочете основна програма с --runner ОСНОВА</translation>
    </message>
    <message>
        <source>%1: error: there is no such runner; give the path of the quiz runner (kazrunner) or of a test program</source>
        <translation>%1: грешка: няма такава основна програма; дайте пътя до основната програма на KAZ (kazrunner) или до програма с тест</translation>
    </message>
    <message>
        <source>%1: error: cannot use this runner: %2</source>
        <translation>%1: грешка: тази основна програма не може да се използва: %2</translation>
    </message>
    <message>
        <source>%1: error: the test cannot be packed: %2</source>
        <translation>%1: грешка: тестът не може да се опакова: %2</translation>
    </message>
    <message>
        <source>%1: error: this is a folder; give the program&apos;s file name with -o, for example -o %2</source>
        <translation>%1: грешка: това е папка; дайте името на файла на програмата с -o, например -o %2</translation>
    </message>
    <message>
        <source>%1: error: the file already exists and is kept; give --force to replace it, or another name with -o PROGRAM</source>
        <translation>%1: грешка: файлът вече съществува и е оставен; дайте --force, за да го замените, или друго име с -o ПРОГРАМА</translation>
    </message>
    <message>
        <source>%1: error: a menu entry cannot start a program whose path holds control characters; write the program to another folder with -o</source>
        <translation>%1: грешка: запис в менюто не може да стартира програма, чийто път съдържа управляващи знаци; запишете програмата в друга папка с -o</translation>
    </message>
    <message>
        <source>%1: error: cannot write the program: %2</source>
        <translation>%1: грешка: програмата не може да се запише: %2</translation>
    </message>
    <message>
        <source>%1: error: cannot write the list of the program&apos;s files: %2</source>
        <translation>%1: грешка: списъкът с файловете на програмата не може да се запише: %2</translation>
    </message>
    <message>
        <source>%1: error: the old program cannot be removed; make its folder writable, or remove the file by hand</source>
        <translation>%1: грешка: старата програма не може да се премахне; разрешете записа в папката ѝ или премахнете файла ръчно</translation>
    </message>
    <message>
        <source>%1: note: the program that was already there is left as it was and still holds the old test, not this one; mend what is said above and pack again</source>
        <translation>%1: бележка: програмата, която вече беше там, е оставена както си беше и съдържа стария тест, а не този; поправете казаното по-горе и опаковайте отново</translation>
    </message>
    <message>
        <source>%1: error: the test cannot be taken out: %2</source>
        <translation>%1: грешка: тестът не може да се извади: %2</translation>
    </message>
    <message>
        <source>%1: error: this is a file, not a folder; give a new or empty folder</source>
        <translation>%1: грешка: това е файл, а не папка; дайте нова или празна папка</translation>
    </message>
    <message>
        <source>%1: error: the file already exists and is kept</source>
        <translation>%1: грешка: файлът вече съществува и е оставен</translation>
    </message>
    <message>
        <source>kazpack: error: nothing was taken out; give a new or empty folder</source>
        <translation>kazpack: грешка: нищо не е извадено; дайте нова или празна папка</translation>
    </message>
    <message>
        <source>%1: error: the folder cannot be made here</source>
        <translation>%1: грешка: папката не може да се създаде тук</translation>
    </message>
    <message>
        <source>%1: error: cannot write the file: %2</source>
        <translation>%1: грешка: файлът не може да се запише: %2</translation>
    </message>
    <message>
        <source>kazpack: error: nothing was taken out</source>
        <translation>kazpack: грешка: нищо не е извадено</translation>
    </message>
    <message>
        <source>%1: error: %2</source>
        <translation>%1: грешка: %2</translation>
    </message>
    <message>
        <source>%1: packed format %2, 1 file, %3 bytes</source>
        <translation>%1: формат на опаковката %2, 1 файл, %3 байта</translation>
    </message>
    <message>
        <source>%1: packed format %2, %3 files, %4 bytes</source>
        <translation>%1: формат на опаковката %2, %3 файла, %4 байта</translation>
    </message>
    <message>
        <source>%1: error: no menu entry in %2 starts this program; nothing was removed</source>
        <translation>%1: грешка: нито един запис в менюто в %2 не стартира тази програма; нищо не е премахнато</translation>
    </message>
    <message>
        <source>kazpack: error: %1</source>
        <translation>kazpack: грешка: %1</translation>
    </message>
    <message>
        <source>--%1 is given more than once</source>
        <translation>--%1 е дадено повече от веднъж</translation>
    </message>
    <message>
        <source>--%1 belongs to packing a folder</source>
        <translation>--%1 се използва само при опаковане на папка</translation>
    </message>
    <message>
        <source>give one of --extract, --list and --remove</source>
        <translation>дайте едно от --extract, --list и --remove</translation>
    </message>
    <message>
        <source>--desktop belongs to packing a folder</source>
        <translation>--desktop се използва само при опаковане на папка</translation>
    </message>
    <message>
        <source>--extract takes a program and a folder</source>
        <translation>--extract иска програма и папка</translation>
    </message>
    <message>
        <source>--list takes one program</source>
        <translation>--list иска една програма</translation>
    </message>
    <message>
        <source>--remove goes with --desktop: kazpack --desktop --remove PROGRAM</source>
        <translation>--remove върви с --desktop: kazpack --desktop --remove ПРОГРАМА</translation>
    </message>
    <message>
        <source>--desktop --remove takes one program</source>
        <translation>--desktop --remove иска една програма</translation>
    </message>
    <message>
        <source>give the test folder to pack</source>
        <translation>дайте папката с теста, която да се опакова</translation>
    </message>
    <message>
        <source>give one test folder; more were given: %1</source>
        <translation>дайте една папка с тест; дадени са повече: %1</translation>
    </message>
    <message>
        <source>-o needs the program&apos;s file name</source>
        <translation>-o иска името на файла на програмата</translation>
    </message>
    <message>
        <source>--remove-first is for builds: it needs -o PROGRAM and goes without --desktop</source>
        <translation>--remove-first е за компилиране: иска -o ПРОГРАМА и не върви с --desktop</translation>
    </message>
    <message>
        <source>the folder %1 does not exist; %2</source>
        <translation>папката %1 не съществува; %2</translation>
    </message>
    <message>
        <source>%1: error: this is not a KAZ quiz runner (kazrunner or a KAZ test program); %2</source>
        <translation>%1: грешка: това не е основна програма на KAZ (kazrunner или програма с тест на KAZ); %2</translation>
    </message>
    <message>
        <source>install KAZ again, or give the path of kazrunner with --runner</source>
        <translation>инсталирайте KAZ отново или посочете пътя до kazrunner с --runner</translation>
    </message>
    <message>
        <source>%1: error: this runner reads only packed format %2, older than format %3 that this kazpack writes; use the kazrunner that came with this kazpack</source>
        <translation>%1: грешка: тази основна програма чете само опакован формат %2, по-стар от формат %3, който записва този kazpack; използвайте kazrunner, който е дошъл заедно с този kazpack</translation>
    </message>
    <message>
        <source>something other than a file</source>
        <translation>нещо, което не е файл</translation>
    </message>
    <message>
        <source>%1: note: the menu entry %2 starts another program, %3, made from a folder of the same name; that entry stays, and this program got an entry of its own</source>
        <translation>%1: бележка: записът в менюто %2 пуска друга програма, %3, направена от папка със същото име; този запис остава, а тази програма получи свой собствен запис</translation>
    </message>
    <message>
        <source>%1: note: this menu entry started %2 until now; now it starts %3</source>
        <translation>%1: бележка: досега този запис в менюто пускаше %2; сега пуска %3</translation>
    </message>
    <message>
        <source>kazpack: error: the quiz runner %1 is %2, not a program file; install KAZ again, or give a runner with --runner RUNNER</source>
        <translation>kazpack: грешка: основната програма на KAZ %1 е %2, а не файл с програма; инсталирайте KAZ отново или посочете основна програма с --runner ОСНОВА</translation>
    </message>
    <message>
        <source>%1: error: this is %2, not a quiz runner; give the path of the quiz runner (kazrunner) or of a test program</source>
        <translation>%1: грешка: това е %2, а не основна програма на KAZ; дайте пътя до основната програма на KAZ (kazrunner) или до програма с тест</translation>
    </message>
    <message>
        <source>--desktop adds a program to this system&apos;s menu; a program for %1 goes to a computer with %1</source>
        <translation>--desktop добавя програма в менюто на тази система; програма за %1 се пуска на компютър с %1</translation>
    </message>
    <message>
        <source>kazpack: error: there is no quiz runner for %1 at %2, so no program for %1 can be made here; install a KAZ that includes the runner for %1, or give that runner (%3) with --runner RUNNER</source>
        <translation>kazpack: грешка: няма основна програма за %1 в %2, затова тук не може да се направи програма за %1; инсталирайте KAZ, който включва основната програма за %1, или я посочете (%3) с --runner ОСНОВА</translation>
    </message>
    <message>
        <source>%1: error: this quiz runner makes programs for %2, and a program for %3 was asked for; give the runner for %3 (%4) with --runner RUNNER</source>
        <translation>%1: грешка: тази основна програма прави програми за %2, а е поискана програма за %3; посочете основната програма за %3 (%4) с --runner ОСНОВА</translation>
    </message>
    <message>
        <source>%1: error: no shortcut in %2 starts this program; nothing was removed</source>
        <translation>%1: грешка: нито един пряк път в %2 не стартира тази програма; нищо не е премахнато</translation>
    </message>
    <message>
        <source>  --desktop               also add the program to your Start menu (a shortcut in the KAZ
                          folder of your Start menu&apos;s programs)
  --desktop --remove PROGRAM
                          take the Start-menu shortcut of PROGRAM away again
</source>
        <translation>  --desktop               добавя програмата и в менюто „Старт“ (пряк път в папката KAZ
                          сред програмите на менюто „Старт“)
  --desktop --remove ПРОГРАМА
                          премахва отново прекия път на ПРОГРАМА от менюто „Старт“
</translation>
    </message>
    <message>
        <source>  --desktop               also add the program to your desktop&apos;s application menu (a menu
                          entry and icons under $XDG_DATA_HOME or ~/.local/share)
  --desktop --remove PROGRAM
                          take the menu entry and icons of PROGRAM away again
</source>
        <translation>  --desktop               добавя програмата и в менюто с приложения на работния плот
                          (запис в менюто и икони в $XDG_DATA_HOME или ~/.local/share)
  --desktop --remove ПРОГРАМА
                          премахва отново записа в менюто и иконите на ПРОГРАМА
</translation>
    </message>
    <message>
        <source>give the path of %1, for example %2</source>
        <translation>посочете пътя до %1, например %2</translation>
    </message>
    <message>
        <source>%1: error: cannot make the shortcut in the Start menu: %2</source>
        <translation>%1: грешка: прекият път в менюто „Старт“ не може да се създаде: %2</translation>
    </message>
    <message>
        <source>the folder cannot be made</source>
        <translation>папката не може да се създаде</translation>
    </message>
    <message>
        <source>its old shortcut cannot be removed</source>
        <translation>старият ѝ пряк път не може да се премахне</translation>
    </message>
    <message>
        <source>the shortcut there cannot be replaced</source>
        <translation>прекият път там не може да се замени</translation>
    </message>
    <message>
        <source>%1: note: the shortcut %2 starts another program, %3; that shortcut stays, and this program got a shortcut of its own</source>
        <translation>%1: бележка: прекият път %2 пуска друга програма, %3; той остава, а тази програма получи свой собствен пряк път</translation>
    </message>
    <message>
        <source>%1: note: this shortcut started %2 until now; now it starts %3</source>
        <translation>%1: бележка: досега този пряк път пускаше %2; сега пуска %3</translation>
    </message>
    <message>
        <source>every name for it is taken</source>
        <translation>всички имена за него са заети</translation>
    </message>
    <message>
        <source>icon, %1</source>
        <translation>иконата, %1</translation>
    </message>
    <message>
        <source>picture &quot;%1&quot;</source>
        <translation>картинката „%1“</translation>
    </message>
    <message>
        <source>the name holds a control character, which Windows does not allow in a file name</source>
        <translation>името съдържа управляващ знак, а Windows не допуска такива в име на файл</translation>
    </message>
    <message>
        <source>the name holds the character %1, which Windows does not allow in a file name (nor any of &lt; &gt; : &quot; | ? * \)</source>
        <translation>името съдържа знака %1, а Windows не го допуска в име на файл (нито някой от &lt; &gt; : &quot; | ? * \)</translation>
    </message>
    <message>
        <source>the name ends with a %1, which Windows drops from a file name, so the program would get another name than the one given</source>
        <translation>името завършва с %1, а Windows маха такъв знак от края на името на файл, така че програмата би получила друго име, не даденото</translation>
    </message>
    <message>
        <source>dot</source>
        <translation>точка</translation>
    </message>
    <message>
        <source>space</source>
        <translation>интервал</translation>
    </message>
    <message>
        <source>%1 names a device on Windows, with any ending after it (such as %1.exe), so Windows makes no file of that name</source>
        <translation>%1 е име на устройство в Windows, с какъвто и да е край след него (например %1.exe), затова Windows не създава файл с това име</translation>
    </message>
    <message>
        <source>%1: note: a program for Windows starts only with .exe at the end of its name, so it was written as %2</source>
        <translation>%1: бележка: програма за Windows се пуска само ако името ѝ завършва на .exe, затова е записана като %2</translation>
    </message>
    <message>
        <source>%1: error: Windows cannot use this name: %2; give the program another name, such as %3</source>
        <translation>%1: грешка: Windows не може да използва това име: %2; дайте на програмата друго име, например %3</translation>
    </message>
    <message>
        <source>%1: error: this is the test&apos;s own %2, and the program would take its place; give the program another name, such as %3</source>
        <translation>%1: грешка: това е файл на самия тест (%2) и програмата би заела мястото му; дайте на програмата друго име, например %3</translation>
    </message>
    <message>
        <source>%1: error: this is one of the test&apos;s own files; give the list of the program&apos;s files another name</source>
        <translation>%1: грешка: това е един от файловете на самия тест; дайте на списъка с файловете на програмата друго име</translation>
    </message>
    <message>
        <source>web browsers</source>
        <translation>уеб браузъри</translation>
    </message>
    <message>
        <source>%1: note: a browser opens a test page only with .html at the end of its name, so it was written as %2</source>
        <translation>%1: бележка: браузърът отваря тестова страница само ако името ѝ завършва на .html, затова е записана като %2</translation>
    </message>
    <message>
        <source>give one of --windows, --linux and --web: a program runs on one system</source>
        <translation>посочете едно от --windows, --linux и --web: една програма работи на една система</translation>
    </message>
    <message>
        <source>--desktop adds a program to this system&apos;s menu; a test page opens in a web browser</source>
        <translation>--desktop добавя програма към менюто на тази система; тестовата страница се отваря в уеб браузър</translation>
    </message>
    <message>
        <source>usage: kazpack FOLDER [-o PROGRAM] [--windows|--linux|--web] [--force] [--runner RUNNER] [--desktop]
       kazpack FOLDER --scorm [-o PACKAGE] [--pass-mark N|none] [--learner-name] [--force] [--runner PAGE]
       kazpack FOLDER -o PROGRAM --remove-first [--windows|--linux|--web] [--runner RUNNER] [--depfile FILE]
       kazpack --extract PROGRAM FOLDER
       kazpack --list PROGRAM
       kazpack --desktop --remove PROGRAM
       kazpack --help
</source>
        <translation>употреба: kazpack ПАПКА [-o ПРОГРАМА] [--windows|--linux|--web] [--force] [--runner ОСНОВА] [--desktop]
          kazpack ПАПКА --scorm [-o ПАКЕТ] [--pass-mark N|none] [--learner-name] [--force] [--runner СТРАНИЦА]
          kazpack ПАПКА -o ПРОГРАМА --remove-first [--windows|--linux|--web] [--runner ОСНОВА] [--depfile ФАЙЛ]
          kazpack --extract ПРОГРАМА ПАПКА
          kazpack --list ПРОГРАМА
          kazpack --desktop --remove ПРОГРАМА
          kazpack --help
</translation>
    </message>
    <message>
        <source>
Makes a test folder into one program file that runs the test with nothing beside it.

  kazpack FOLDER          checks the test in FOLDER (its test.kaz and the pictures it names,
                          by the same rules as the build) and writes the program kaz-FOLDER
                          in the current folder. On any problem it writes nothing and lists
                          every problem, each with the file, the line and how to mend it.
  --windows               make a program for Windows, kaz-FOLDER.exe, with the Windows quiz
                          runner installed with kazpack (kazrunner.exe)
  --linux                 make a program for Linux, kaz-FOLDER, with the Linux quiz runner
                          installed with kazpack (kazrunner)
  --web                   make a test page, kaz-FOLDER.html: one file that plays the test in
                          any current web browser (phones, tablets, Chromebooks, Macs and
                          computers alike), opened from the disk, a message or a web site,
                          with nothing to install and no network; made with the page
                          installed with kazpack (kazweb.html). Without --windows, --linux
                          or --web, the program is for the system kazpack runs on, or for
                          that of RUNNER
  --scorm                 make a SCORM package, kaz-FOLDER-scorm.zip, for Moodle and other
                          learning platforms: the test page and its imsmanifest.xml. Played
                          in the platform, the page reports each learner&apos;s score (the
                          percent of &quot;Верни: N%&quot;), passed or failed, each pair chosen and the
                          time spent; opened alone, it plays as the plain test page
  --pass-mark N|none      with --scorm: the percent a learner needs to pass (default 50);
                          none: the attempt is only marked completed
  --learner-name          with --scorm: the learner&apos;s name from the platform stands in the
                          caption&apos;s place
  -o, --output PROGRAM    write the program to PROGRAM instead: never one of the test&apos;s own
                          files; a program for Windows gets .exe when PROGRAM lacks it, a
                          test page .html, and
                          a name Windows cannot hold (CON, NUL.exe, a dot or a space at the
                          end, &lt; &gt; : &quot; | ? *) is refused
  --force                 replace PROGRAM when it already exists; when packing fails, a
                          PROGRAM that was there is left as it was, with its old test
  --remove-first          for builds: remove PROGRAM before anything else, so that when
                          packing fails there is no program that still runs the old test
  --runner RUNNER         the quiz runner to pack the test with, for example one built for
                          Windows, or a test program whose own test is then replaced;
                          without it, the runner installed with kazpack
%1  --extract PROGRAM FOLDER
                          gives back the test folder of PROGRAM (FOLDER is made when needed;
                          no file in it is ever replaced); packing it again gives the same
                          program, byte for byte
  --list PROGRAM          lists the files PROGRAM holds with their sizes in bytes
                          (--extract and --list read programs for Linux and for Windows,
                          and test pages)
  --depfile FILE          for build systems: write the files the program was made of to FILE
                          as a Makefile rule

Exit status: 0 done, 1 a problem (nothing written), 2 a mistake in the command line.
</source>
        <translation>
Превръща папка с тест в един файл-програма, който пуска теста без нищо друго до себе си.

  kazpack ПАПКА           проверява теста в ПАПКА (нейния test.kaz и картинките, които той
                          посочва, по същите правила като при компилирането) и записва
                          програмата kaz-ПАПКА в текущата папка. При проблем не записва нищо
                          и изброява всеки проблем с файла, реда и как да се поправи.
  --windows               прави програма за Windows, kaz-ПАПКА.exe, с основната програма за
                          Windows, инсталирана заедно с kazpack (kazrunner.exe)
  --linux                 прави програма за Linux, kaz-ПАПКА, с основната програма за Linux,
                          инсталирана заедно с kazpack (kazrunner)
  --web                   прави тестова страница, kaz-ПАПКА.html: един файл, който пуска
                          теста във всеки съвременен уеб браузър (телефони, таблети,
                          Chromebook, Mac и компютри), отворен от диска, от писмо или от уеб
                          сайт, без инсталиране и без мрежа; направена със страницата,
                          инсталирана заедно с kazpack (kazweb.html). Без --windows, --linux
                          и --web програмата е за системата, на която работи kazpack, или
                          за тази на ОСНОВА
  --scorm                 прави пакет SCORM, kaz-ПАПКА-scorm.zip, за Moodle и други платформи
                          за обучение: тестовата страница и нейния imsmanifest.xml. Пусната
                          в платформата, страницата съобщава резултата на всеки ученик
                          (процента от „Верни: N%“), дали е издържал, всяка избрана двойка
                          и времето; отворена сама, тя е обикновена тестова страница
  --pass-mark N|none      с --scorm: процентът, нужен за успех (по подразбиране 50);
                          none: опитът само се отбелязва като завършен
  --learner-name          с --scorm: името на ученика от платформата стои на мястото на
                          заглавието
  -o, --output ПРОГРАМА   записва програмата в ПРОГРАМА: никога в някой от файловете на
                          самия тест; програма за Windows получава .exe, ако ПРОГРАМА е без
                          него, тестова страница — .html, а име, което Windows не може да носи (CON, NUL.exe, точка
                          или интервал в края, &lt; &gt; : &quot; | ? *), се отказва
  --force                 заменя ПРОГРАМА, ако вече съществува; ако опаковането не успее,
                          ПРОГРАМА, която е била там, остава както си е, със стария тест
  --remove-first          при компилиране: първо премахва ПРОГРАМА, така че ако опаковането
                          не успее, да не остане програма, която пуска стария тест
  --runner ОСНОВА         основната програма, с която да се опакова тестът, например
                          направена за Windows, или програма с тест, чийто тест се заменя;
                          без това — основната програма, инсталирана заедно с kazpack
%1  --extract ПРОГРАМА ПАПКА
                          връща папката с теста на ПРОГРАМА (ПАПКА се създава, ако трябва;
                          никой файл в нея не се заменя); ако я опаковате отново, получавате
                          същата програма, байт по байт
  --list ПРОГРАМА         изброява файловете в ПРОГРАМА с размерите им в байтове
                          (--extract и --list четат програми и за Linux, и за Windows,
                          и тестови страници)
  --depfile ФАЙЛ          за системи за компилиране: записва във ФАЙЛ файловете, от които е
                          направена програмата, като правило на Makefile

Изходен код: 0 готово, 1 проблем (нищо не е записано), 2 грешка в командния ред.
</translation>
    </message>
    <message>
        <source>--%1 belongs to --scorm</source>
        <translation>--%1 върви само с --scorm</translation>
    </message>
    <message>
        <source>--scorm makes a package of the test page: it goes without --windows, --linux and --desktop</source>
        <translation>--scorm прави пакет от тестовата страница: не върви с --windows, --linux и --desktop</translation>
    </message>
    <message>
        <source>--pass-mark takes a percent from 0 to 100, or none; %1 is neither</source>
        <translation>--pass-mark приема процент от 0 до 100 или none; %1 не е нито едното</translation>
    </message>
</context>
<context>
    <name>MoodleExport</name>
    <message>
        <source>GIFT cannot hold pictures, so the GIFT file leaves out the test&apos;s %1 picture(s); the Moodle XML file holds them.</source>
        <translation>GIFT не може да съдържа картинки, затова файлът GIFT е без картинките на теста (%1); файлът Moodle XML ги съдържа.</translation>
    </message>
</context>
<context>
    <name>MoodleXml</name>
    <message>
        <source>embedded answers (Cloze) question</source>
        <translation>въпрос с вградени отговори (Cloze)</translation>
    </message>
    <message>
        <source>calculated question</source>
        <translation>изчислителен въпрос</translation>
    </message>
    <message>
        <source>drag and drop into text question</source>
        <translation>въпрос с влачене в текст</translation>
    </message>
    <message>
        <source>select missing words question</source>
        <translation>въпрос с избор на липсващи думи</translation>
    </message>
    <message>
        <source>drag and drop onto image question</source>
        <translation>въпрос с влачене върху картинка</translation>
    </message>
    <message>
        <source>drag and drop markers question</source>
        <translation>въпрос с влачене на маркери</translation>
    </message>
    <message>
        <source>random short-answer matching question</source>
        <translation>случаен въпрос за съпоставяне с кратки отговори</translation>
    </message>
    <message>
        <source>ordering question</source>
        <translation>въпрос за подреждане</translation>
    </message>
    <message>
        <source>random question</source>
        <translation>случаен въпрос</translation>
    </message>
    <message>
        <source>question of type &quot;%1&quot;</source>
        <translation>въпрос от вида „%1“</translation>
    </message>
    <message>
        <source>its first element is &lt;%1&gt;, not &lt;quiz&gt;, so it is not a file of questions that Moodle exported</source>
        <translation>първият му елемент е &lt;%1&gt;, а не &lt;quiz&gt;, така че това не е файл с въпроси, изнесен от Moodle</translation>
    </message>
    <message>
        <source>the file cannot be read as Moodle XML: %1; export the questions from Moodle again (Question bank, Export, Moodle XML format)</source>
        <translation>файлът не може да се прочете като Moodle XML: %1; изнесете въпросите от Moodle отново (Question bank, Export, Moodle XML format)</translation>
    </message>
    <message>
        <source>the file holds no XML element; export the questions from Moodle again (Question bank, Export, Moodle XML format)</source>
        <translation>във файла няма нито един елемент на XML; изнесете въпросите от Moodle отново (Question bank, Export, Moodle XML format)</translation>
    </message>
    <message>
        <source>it declares a document type (&lt;!DOCTYPE …&gt;), which Moodle never writes and which could make the file read other files or grow without end</source>
        <translation>той декларира тип на документа (&lt;!DOCTYPE …&gt;), какъвто Moodle никога не пише и с който файлът би могъл да чете други файлове или да нараства безкрайно</translation>
    </message>
    <message>
        <source>it uses an entity that it does not declare (&amp;%1;)</source>
        <translation>той използва същност, която не декларира (&amp;%1;)</translation>
    </message>
    <message>
        <source>its elements nest more than %1 deep, far deeper than a Moodle export</source>
        <translation>елементите му са вложени на повече от %1 нива, много по-дълбоко, отколкото във файл, изнесен от Moodle</translation>
    </message>
    <message>
        <source>left out the matching question%1: %2</source>
        <translation>пропуска се въпросът за съпоставяне%1: %2</translation>
    </message>
    <message>
        <source>its text has more than %1 characters</source>
        <translation>текстът му има повече от %1 знака</translation>
    </message>
    <message>
        <source>matching question that a KAZ test cannot hold</source>
        <translation>въпрос за съпоставяне, който тестът на KAZ не може да побере</translation>
    </message>
    <message>
        <source>its subquestion %1 is longer than %2 characters</source>
        <translation>подвъпросът му %1 е по-дълъг от %2 знака</translation>
    </message>
    <message>
        <source>the pair &quot;%1&quot; has no answer</source>
        <translation>двойката „%1“ няма отговор</translation>
    </message>
    <message>
        <source>the left part &quot;%1&quot; stands twice (subquestions %2 and %3), but the phrases of one side of a KAZ test must differ; change one of them in Moodle</source>
        <translation>лявата част „%1“ е два пъти (подвъпроси %2 и %3), а фразите от една страна на теста на KAZ трябва да са различни; променете едната от тях в Moodle</translation>
    </message>
    <message>
        <source>in the matching question &quot;%1&quot; the left part of a pair is only a picture; its file name &quot;%2&quot; stands for it as the left phrase: write a phrase of your own in the editor</source>
        <translation>във въпроса за съпоставяне „%1“ лявата част на една двойка е само картинка; името на файла ѝ „%2“ стои на нейно място като лява фраза: напишете своя фраза в редактора</translation>
    </message>
    <message>
        <source>&quot;%1&quot;</source>
        <translation>„%1“</translation>
    </message>
    <message>
        <source>classification question</source>
        <translation>въпрос за класифициране</translation>
    </message>
    <message>
        <source>%1 share the right part &quot;%2&quot;, but a KAZ test pairs each left phrase with a right phrase of its own; make each shared right part distinct (&quot;%2&quot;, &quot;%2 (2)&quot; …) or leave the question out</source>
        <translation>%1 имат една и съща дясна част „%2“, а тестът на KAZ свързва всяка лява фраза със своя собствена дясна фраза; направете всяка обща дясна част различна („%2“, „%2 (2)“ …) или оставете въпроса</translation>
    </message>
    <message>
        <source>the picture &quot;%1&quot; of the matching question &quot;%2&quot; cannot be used: %3; the question is read without it</source>
        <translation>картинката „%1“ на въпроса за съпоставяне „%2“ не може да се използва: %3; въпросът се прочита без нея</translation>
    </message>
    <message>
        <source>the file holds no such picture</source>
        <translation>във файла няма такава картинка</translation>
    </message>
    <message>
        <source>it is larger than the %1 MB a Moodle XML file may have</source>
        <translation>тя е по-голяма от %1 MB, колкото може да има файл Moodle XML</translation>
    </message>
    <message>
        <source>its name does not end in .png, .jpg, .jpeg, .bmp or .gif, the pictures a KAZ test shows; save it as PNG</source>
        <translation>името ѝ не завършва на .png, .jpg, .jpeg, .bmp или .gif — картинките, които тестът на KAZ показва; запазете я като PNG</translation>
    </message>
    <message>
        <source>its base64 text is broken</source>
        <translation>текстът ѝ в base64 е повреден</translation>
    </message>
    <message>
        <source>the matching question &quot;%1&quot; has a picture for pair %2, but only the first %3 pairs of a KAZ test can show one; the picture is left out</source>
        <translation>въпросът за съпоставяне „%1“ има картинка за двойка %2, а само първите %3 двойки на теста на KAZ могат да показват картинка; картинката се пропуска</translation>
    </message>
    <message>
        <source>the matching question &quot;%1&quot; shows more than one picture in pair %2, but a pair of a KAZ test shows one; &quot;%3&quot; is left out</source>
        <translation>въпросът за съпоставяне „%1“ показва повече от една картинка в двойка %2, а двойка от теста на KAZ показва една; „%3“ се пропуска</translation>
    </message>
    <message>
        <source>the matching question &quot;%1&quot; has a picture with an extra right part, but a right phrase of a KAZ test shows none; the picture is left out</source>
        <translation>въпросът за съпоставяне „%1“ има картинка при излишна дясна част, а дясна фраза от теста на KAZ не показва картинка; картинката се пропуска</translation>
    </message>
    <message>
        <source>the text of the matching question &quot;%1&quot; shows more than one picture, but a KAZ test shows one with each pair; &quot;%2&quot; is left out</source>
        <translation>текстът на въпроса за съпоставяне „%1“ показва повече от една картинка, а тестът на KAZ показва по една при всяка двойка; „%2“ се пропуска</translation>
    </message>
    <message>
        <source>the general feedback of the matching question &quot;%1&quot; is longer than an explanation of a KAZ test may be (%2 lines of %3 characters); the question is read without it</source>
        <translation>общата обратна връзка на въпроса за съпоставяне „%1“ е по-дълга, отколкото може да е обяснение в тест на KAZ (%2 реда по %3 знака); въпросът се прочита без нея</translation>
    </message>
    <message>
        <source>the file has %1 bytes, more than the %2 MB a Moodle XML file may have; export fewer questions at a time (one category)</source>
        <translation>файлът има %1 байта, повече от %2 MB, колкото може да има файл Moodle XML; изнасяйте по-малко въпроси наведнъж (по една категория)</translation>
    </message>
    <message>
        <source>it has %1 pairs, but a matching question needs at least %2, as in Moodle</source>
        <translation>той има %1 двойки, а въпросът за съпоставяне трябва да има поне %2, както в Moodle</translation>
    </message>
    <message>
        <source>it has %1 pairs and %2 extra right parts, but in a KAZ test &quot;Оцени&quot; opens only when the pairs made are at least three times the right phrases left over, so a question may have at most one extra right part for every three pairs; remove extra right parts or add pairs</source>
        <translation>той има %1 двойки и %2 излишни десни части, а в тест на KAZ „Оцени“ се отваря само когато направените двойки са поне три пъти повече от останалите десни фрази, така че въпросът може да има най-много една излишна дясна част на всеки три двойки; премахнете излишни десни части или добавете двойки</translation>
    </message>
    <message>
        <source>it has more than %1 right parts, the most a KAZ test holds</source>
        <translation>той има повече от %1 десни части, колкото най-много може да има тестът на KAZ</translation>
    </message>
    <message>
        <source>one of its phrases is empty</source>
        <translation>една от фразите му е празна</translation>
    </message>
    <message>
        <source>the phrase &quot;%1&quot; has %2 characters, but a phrase of a KAZ test may have at most %3</source>
        <translation>фразата „%1“ има %2 знака, а фраза от тест на KAZ може да има най-много %3</translation>
    </message>
    <message>
        <source>the phrase &quot;%1&quot; holds an invisible character (character code %2), which a KAZ test cannot hold</source>
        <translation>фразата „%1“ съдържа невидим знак (код на знака %2), какъвто тестът на KAZ не може да съдържа</translation>
    </message>
    <message>
        <source>the phrase &quot;%1&quot; stands twice on one side, but the phrases of one side of a KAZ test must differ</source>
        <translation>фразата „%1“ е два пъти от една страна, а фразите от една страна на теста на KAZ трябва да са различни</translation>
    </message>
    <message>
        <source>its text or an explanation has %1 lines, but a KAZ test shows at most %2</source>
        <translation>текстът му или някое обяснение има %1 реда, а тестът на KAZ показва най-много %2</translation>
    </message>
    <message>
        <source>its text or an explanation has a line of %1 characters, but a line of a KAZ test may hold at most %2</source>
        <translation>текстът му или някое обяснение има ред от %1 знака, а ред от тест на KAZ може да има най-много %2</translation>
    </message>
    <message>
        <source>its text or an explanation holds an invisible control character (character code %1), which a KAZ test cannot hold</source>
        <translation>текстът му или някое обяснение съдържа невидим управляващ знак (код на знака %1), какъвто тестът на KAZ не може да съдържа</translation>
    </message>
    <message>
        <source>left out the classification question &quot;%1&quot; even with its shared right parts made distinct: %2</source>
        <translation>пропуска се въпросът за класифициране „%1“ дори с различени общи десни части: %2</translation>
    </message>
</context>
<context>
    <name>PackedQuiz</name>
    <message>
        <source>its list of files is missing</source>
        <translation>липсва списъкът с файловете му</translation>
    </message>
    <message>
        <source>it holds no files</source>
        <translation>в него няма файлове</translation>
    </message>
    <message>
        <source>its list of files claims %1 files, more than it can hold</source>
        <translation>списъкът с файловете му твърди, че има %1 файла — повече, отколкото може да побере</translation>
    </message>
    <message>
        <source>its list of files ends early</source>
        <translation>списъкът с файловете му свършва преждевременно</translation>
    </message>
    <message>
        <source>file %1 of its list has a name that is not UTF-8 text</source>
        <translation>файл %1 от списъка му има име, което не е текст в UTF-8</translation>
    </message>
    <message>
        <source>it holds a file named &quot;%1&quot;, and %2</source>
        <translation>в него има файл с име „%1“, а %2</translation>
    </message>
    <message>
        <source>it holds the file &quot;%1&quot; twice</source>
        <translation>в него файлът „%1“ е два пъти</translation>
    </message>
    <message>
        <source>its file &quot;%1&quot; claims %2 bytes, more than any test file may have</source>
        <translation>файлът му „%1“ твърди, че има %2 байта — повече, отколкото може да има който и да е файл на тест</translation>
    </message>
    <message>
        <source>its files take %1 bytes, but %2 bytes follow their list</source>
        <translation>файловете му заемат %1 байта, а след списъка им следват %2 байта</translation>
    </message>
    <message>
        <source>a file name must not be empty</source>
        <translation>името на файл не може да е празно</translation>
    </message>
    <message>
        <source>the name is longer than %1 bytes</source>
        <translation>името е по-дълго от %1 байта</translation>
    </message>
    <message>
        <source>a name must not hold &quot;/&quot; or &quot;\&quot;: every file lies in the test folder itself</source>
        <translation>името не може да съдържа „/“ или „\“: всеки файл е в самата папка на теста</translation>
    </message>
    <message>
        <source>a name must not hold control characters</source>
        <translation>името не може да съдържа управляващи знаци</translation>
    </message>
    <message>
        <source>&quot;.&quot; and &quot;..&quot; name folders, not files</source>
        <translation>„.“ и „..“ са имена на папки, а не на файлове</translation>
    </message>
    <message>
        <source>there are no files to pack</source>
        <translation>няма файлове за опаковане</translation>
    </message>
    <message>
        <source>%1 files are more than a packed test may hold (%2)</source>
        <translation>%1 файла са повече, отколкото може да съдържа опакован тест (%2)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is given twice</source>
        <translation>„%1“ е дадено два пъти</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has %2 bytes, more than a test file may have (%3)</source>
        <translation>„%1“ има %2 байта — повече, отколкото може да има файл на тест (%3)</translation>
    </message>
    <message>
        <source>the files take %1 bytes, more than a packed test may hold (%2)</source>
        <translation>файловете заемат %1 байта — повече, отколкото може да съдържа опакован тест (%2)</translation>
    </message>
    <message>
        <source>the file is too short to hold a test</source>
        <translation>файлът е твърде къс, за да съдържа тест</translation>
    </message>
    <message>
        <source>its end cannot be read (%1)</source>
        <translation>краят му не може да се прочете (%1)</translation>
    </message>
    <message>
        <source>the test at its end was cut short (perhaps while it was copied or downloaded)</source>
        <translation>тестът в края му е отрязан (може би при копиране или изтегляне)</translation>
    </message>
    <message>
        <source>nothing is packed into it</source>
        <translation>в него няма опакован тест</translation>
    </message>
    <message>
        <source>its test claims %1 bytes, more than the file has: the file was cut short or changed</source>
        <translation>тестът му твърди, че има %1 байта — повече, отколкото има файлът: файлът е отрязан или променен</translation>
    </message>
    <message>
        <source>its test is packed in format %1, and this program reads format %2 and older</source>
        <translation>тестът му е опакован във формат %1, а тази програма чете формат %2 и по-стари</translation>
    </message>
    <message>
        <source>its end is not in the packed format</source>
        <translation>краят му не е във формата на опакован тест</translation>
    </message>
    <message>
        <source>its test claims %1 bytes, more than a packed test may hold</source>
        <translation>тестът му твърди, че има %1 байта — повече, отколкото може да съдържа опакован тест</translation>
    </message>
    <message>
        <source>its test cannot be read (%1)</source>
        <translation>тестът му не може да се прочете (%1)</translation>
    </message>
    <message>
        <source>its test was changed after it was packed (the checksum does not match)</source>
        <translation>тестът му е променен, след като е бил опакован (контролната сума не съвпада)</translation>
    </message>
    <message>
        <source>the file cannot be read (%1)</source>
        <translation>файлът не може да се прочете (%1)</translation>
    </message>
    <message>
        <source>the page is larger than a test page may be</source>
        <translation>страницата е по-голяма, отколкото може да бъде тестова страница</translation>
    </message>
    <message>
        <source>its test was changed after it was packed (it is no longer base64 text)</source>
        <translation>тестът ѝ е променен, след като е бил опакован (вече не е текст base64)</translation>
    </message>
    <message>
        <source>the page holds no test</source>
        <translation>страницата не съдържа тест</translation>
    </message>
    <message>
        <source>the zip file is larger than a test&apos;s package can be</source>
        <translation>zip файлът е по-голям, отколкото може да бъде пакет с тест</translation>
    </message>
    <message>
        <source>the zip file holds no test page: it is no test package made by KAZ</source>
        <translation>zip файлът не съдържа тестова страница: не е пакет с тест, направен от KAZ</translation>
    </message>
</context>
<context>
    <name>Packing</name>
    <message>
        <source>Install KAZ again.</source>
        <translation>Инсталирайте KAZ отново.</translation>
    </message>
    <message>
        <source>There is no quiz runner for %1 at %2, so no program for %1 can be made here. Install a KAZ that includes the runner for %1.</source>
        <translation>Няма основна програма за %1 в %2, затова тук не може да се направи програма за %1. Инсталирайте KAZ, който включва основната програма за %1.</translation>
    </message>
    <message>
        <source>The quiz runner is not at %1. %2</source>
        <translation>Основната програма на KAZ (kazrunner) не е в %1. %2</translation>
    </message>
    <message>
        <source>The quiz runner %1 is %2, not a program file. %3</source>
        <translation>Основната програма на KAZ %1 е %2, а не файл с програма. %3</translation>
    </message>
    <message>
        <source>The quiz runner %1 cannot be used: %2. %3</source>
        <translation>Основната програма на KAZ %1 не може да се използва: %2. %3</translation>
    </message>
    <message>
        <source>The file %1 is not a KAZ quiz runner. %2</source>
        <translation>Файлът %1 не е основна програма на KAZ. %2</translation>
    </message>
    <message>
        <source>The quiz runner %1 reads only packed format %2, older than format %3 that this editor writes. %4</source>
        <translation>Основната програма на KAZ %1 чете само опакован формат %2, по-стар от формат %3, който записва този редактор. %4</translation>
    </message>
    <message>
        <source>The quiz runner %1 makes programs for %2, not for %3. %4</source>
        <translation>Основната програма на KAZ %1 прави програми за %2, а не за %3. %4</translation>
    </message>
    <message>
        <source>A program for Windows starts only with .exe at the end of its name, so it was written as %1.</source>
        <translation>Програма за Windows се пуска само ако името ѝ завършва на .exe, затова е записана като %1.</translation>
    </message>
    <message>
        <source>Windows cannot use the name %1: %2. Give the program another name, such as %3.</source>
        <translation>Windows не може да използва името %1: %2. Дайте на програмата друго име, например %3.</translation>
    </message>
    <message>
        <source>The file %1 is the test&apos;s own %2, and the program would take its place. Give the program another name, such as %3.</source>
        <translation>Файлът %1 е файл на самия тест (%2) и програмата би заела мястото му. Дайте на програмата друго име, например %3.</translation>
    </message>
    <message>
        <source>File %1, line %2: %3</source>
        <translation>Файл %1, ред %2: %3</translation>
    </message>
    <message>
        <source>File %1: %2</source>
        <translation>Файл %1: %2</translation>
    </message>
    <message>
        <source>The test has a problem, so no program was written.</source>
        <translation>Тестът има проблем, затова не е записана програма.</translation>
    </message>
    <message>
        <source>The test has %1 problems, so no program was written.</source>
        <translation>Тестът има %1 проблема, затова не е записана програма.</translation>
    </message>
    <message>
        <source>The test has %1 problems, the first %2 of them above, so no program was written.</source>
        <translation>Тестът има %1 проблема (първите %2 са изброени по-горе), затова не е записана програма.</translation>
    </message>
    <message>
        <source>The test cannot be packed: %1.</source>
        <translation>Тестът не може да се опакова: %1.</translation>
    </message>
    <message>
        <source>There is a folder at %1, where the program was to be written. Give the program another name.</source>
        <translation>В %1, където трябваше да се запише програмата, има папка. Дайте на програмата друго име.</translation>
    </message>
    <message>
        <source>The file %1 already exists and is kept. Let it be replaced, or give the program another name.</source>
        <translation>Файлът %1 вече съществува и е оставен. Позволете да бъде заменен или дайте на програмата друго име.</translation>
    </message>
    <message>
        <source>The program cannot be written to %1: %2.</source>
        <translation>Програмата не може да се запише в %1: %2.</translation>
    </message>
    <message>
        <source>The program that was already at %1 is left as it was and still holds the old test, not this one.</source>
        <translation>Програмата, която вече беше в %1, е оставена както си беше и съдържа стария тест, а не този.</translation>
    </message>
    <message>
        <source>A browser opens a test page only with .html at the end of its name, so it was written as %1.</source>
        <translation>Браузърът отваря тестова страница само ако името ѝ завършва на .html, затова е записана като %1.</translation>
    </message>
</context>
<context>
    <name>PictureBytes</name>
    <message>
        <source>the file was not beside test.kaz when the test was opened; choose the picture again</source>
        <translation>файлът не беше до test.kaz, когато тестът беше отворен; изберете картинката отново</translation>
    </message>
    <message>
        <source>the file could not be read when the test was opened: %1; then choose the picture again</source>
        <translation>файлът не можа да се прочете, когато тестът беше отворен: %1; после изберете картинката отново</translation>
    </message>
</context>
<context>
    <name>Printing</name>
    <message>
        <source>… and 1 more note</source>
        <translation>… и още 1 бележка</translation>
    </message>
    <message>
        <source>… and 1 more problem</source>
        <translation>… и още 1 проблем</translation>
    </message>
    <message>
        <source>… and %1 more notes</source>
        <translation>… и още %1 бележки</translation>
    </message>
    <message>
        <source>… and %1 more problems</source>
        <translation>… и още %1 проблема</translation>
    </message>
    <message>
        <source>… and 1 more warning</source>
        <translation>… и още 1 предупреждение</translation>
    </message>
    <message>
        <source>… and %1 more warnings</source>
        <translation>… и още %1 предупреждения</translation>
    </message>
</context>
<context>
    <name>ProgramQuiz</name>
    <message>
        <source>This program holds no test: it is the KAZ quiz runner alone. Make a test program from a test folder with kazpack (kazpack FOLDER) and start that program instead.</source>
        <translation>Тази програма не съдържа тест: тя е само основната програма на KAZ. Направете програма с тест от папка с тест с kazpack (kazpack ПАПКА) и пуснете нея.</translation>
    </message>
    <message>
        <source>This test program is damaged: %1. Ask for the program again, or make it again with kazpack.</source>
        <translation>Тази програма с тест е повредена: %1. Поискайте програмата отново или я направете наново с kazpack.</translation>
    </message>
    <message>
        <source>This test program was made by a newer kazpack than its own runner understands: %1. Make the program again with the kazpack of the same KAZ version, or ask for it again.</source>
        <translation>Тази програма с тест е направена с по-нов kazpack, отколкото разбира нейната основна програма: %1. Направете програмата отново с kazpack от същата версия на KAZ или я поискайте отново.</translation>
    </message>
    <message>
        <source>This test program cannot read its own file: %1. Check that the file may be read, or ask for the program again.</source>
        <translation>Тази програма с тест не може да прочете собствения си файл: %1. Проверете дали файлът може да се чете, или поискайте програмата отново.</translation>
    </message>
    <message>
        <source>This test program is damaged: its test breaks a rule of the test format (%1). Make the program again from the test folder with kazpack.</source>
        <translation>Тази програма с тест е повредена: тестът ѝ нарушава правило на формата за тестове (%1). Направете програмата отново от папката с теста с kazpack.</translation>
    </message>
    <message>
        <source>This file holds no test: it is no test program made by kazpack. Choose a test program (such as kaz-istoriya), or open the test&apos;s folder or a GIFT file instead.</source>
        <translation>Този файл не съдържа тест: това не е програма с тест, направена с kazpack. Изберете програма с тест (например kaz-istoriya) или вместо това отворете папката на теста или файл GIFT.</translation>
    </message>
    <message>
        <source>This test program was made by a newer kazpack than this editor understands: %1. Open it with the editor of a newer KAZ, or ask for the test&apos;s folder.</source>
        <translation>Тази програма с тест е направена с по-нов kazpack, отколкото разбира този редактор: %1. Отворете я с редактора от по-нова версия на KAZ или поискайте папката на теста.</translation>
    </message>
    <message>
        <source>This file cannot be opened: %1. Check that you may read it, or choose another file.</source>
        <translation>Този файл не може да се отвори: %1. Проверете дали имате право да го четете, или изберете друг файл.</translation>
    </message>
</context>
<context>
    <name>QAbstractFileIconProvider</name>
    <message>
        <source>Folder</source>
        <comment>All other platforms</comment>
        <translation>Папка</translation>
    </message>
    <message>
        <source>Shortcut</source>
        <comment>All other platforms</comment>
        <translation>Препратка</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>Устройство</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Неизвестно</translation>
    </message>
</context>
<context>
    <name>QuizDocument</name>
    <message>
        <source>there is no folder &quot;%1&quot;; choose the folder that holds test.kaz</source>
        <translation>няма папка „%1“; изберете папката, в която е test.kaz</translation>
    </message>
    <message>
        <source>there is no test.kaz in %1; choose the folder that holds test.kaz</source>
        <translation>в %1 няма test.kaz; изберете папката, в която е test.kaz</translation>
    </message>
    <message>
        <source>cannot open %1: %2, the most a test may have</source>
        <translation>%1 не може да се отвори: %2, колкото най-много може да има един тест</translation>
    </message>
    <message>
        <source>cannot open %1: %2</source>
        <translation>%1 не може да се отвори: %2</translation>
    </message>
    <message>
        <source>the test has no folder yet; choose a folder to save it in</source>
        <translation>тестът още няма папка; изберете папка, в която да се запази</translation>
    </message>
    <message>
        <source>the picture %1 is too large: %2; save it smaller</source>
        <translation>картинката %1 е твърде голяма: %2; запазете я по-малка</translation>
    </message>
    <message>
        <source>the picture %1 cannot be read: %2</source>
        <translation>картинката %1 не може да се прочете: %2</translation>
    </message>
    <message>
        <source>there is no test.kaz in %1, and a save that was cut short cannot be finished: %2</source>
        <translation>в %1 няма test.kaz, а прекъснат запис не може да бъде довършен: %2</translation>
    </message>
    <message>
        <source>another editor holds the recovery copy %1</source>
        <translation>друг редактор държи копието за възстановяване %1</translation>
    </message>
    <message>
        <source>the copy %1 is open in another editor</source>
        <translation>копието %1 е отворено в друг редактор</translation>
    </message>
    <message>
        <source>%1 in %2 is write-protected</source>
        <translation>%1 в %2 е защитен от запис</translation>
    </message>
    <message>
        <source>Nothing was pasted: the copied text has more than %1 lines, more than a test can hold. Copy fewer rows.</source>
        <translation>Нищо не е поставено: копираният текст има над %1 реда, повече, отколкото побира един тест. Копирайте по-малко редове.</translation>
    </message>
    <message>
        <source>Nothing was pasted: the copied text has %1 characters, more than a test can hold. Copy fewer rows and paste again.</source>
        <translation>Нищо не е поставено: копираният текст има %1 знака, повече, отколкото побира един тест. Копирайте по-малко редове и поставете отново.</translation>
    </message>
    <message>
        <source>Nothing was pasted: with %1 more rows the table would have %2, more than the %3 it can hold. Delete rows that are not needed, or paste fewer.</source>
        <translation>Нищо не е поставено: с още %1 реда таблицата би имала %2, повече от %3, колкото побира. Изтрийте ненужните редове или поставете по-малко.</translation>
    </message>
    <message>
        <source>Nothing was pasted: the table would then hold %1 characters of text, more than it can hold (%2). Delete rows that are not needed, or paste fewer.</source>
        <translation>Нищо не е поставено: таблицата тогава би съдържала %1 знака текст, повече, отколкото побира (%2). Изтрийте ненужните редове или поставете по-малко.</translation>
    </message>
</context>
<context>
    <name>QuizFolder</name>
    <message>
        <source>there is no such file beside test.kaz, but there is &quot;%1&quot;; write the name exactly as the file is called, capitals included</source>
        <translation>до test.kaz няма такъв файл, но има „%1“; напишете името точно както се казва файлът, със същите главни и малки букви</translation>
    </message>
    <message>
        <source>there is no such file beside test.kaz; put the picture in the test folder, or correct its name</source>
        <translation>до test.kaz няма такъв файл; сложете картинката в папката на теста или поправете името ѝ</translation>
    </message>
    <message>
        <source>the file is too large: %1; save the picture smaller</source>
        <translation>файлът е твърде голям: %1; запазете картинката по-малка</translation>
    </message>
    <message>
        <source>the file cannot be read: %1</source>
        <translation>файлът не може да се прочете: %1</translation>
    </message>
    <message>
        <source>an icon is a square PNG picture from %1 × %1 to %2 × %2 pixels, best 256 × 256</source>
        <translation>иконата е квадратна картинка PNG от %1 × %1 до %2 × %2 пиксела, най-добре 256 × 256</translation>
    </message>
    <message>
        <source>the icon is not a PNG file; %1: save it as PNG under the name icon.png</source>
        <translation>иконата не е файл PNG; %1: запазете я като PNG с името icon.png</translation>
    </message>
    <message>
        <source>the icon cannot be read as a picture (%1); save it again as PNG, %2</source>
        <translation>иконата не може да се прочете като картинка (%1); запазете я отново като PNG, %2</translation>
    </message>
    <message>
        <source>the icon is %1 × %2 pixels, not square; %3: cut it square or save it at 256 × 256</source>
        <translation>иконата е %1 × %2 пиксела, не е квадратна; %3: изрежете я квадратна или я запазете с размер 256 × 256</translation>
    </message>
    <message>
        <source>the icon is %1 × %1 pixels, too %2; %3: save it at 256 × 256</source>
        <translation>иконата е %1 × %1 пиксела, твърде %2; %3: запазете я с размер 256 × 256</translation>
    </message>
    <message>
        <source>small</source>
        <translation>малка</translation>
    </message>
    <message>
        <source>large</source>
        <translation>голяма</translation>
    </message>
    <message>
        <source>the picture is %1 × %2 pixels, too many to load: a picture may take at most %3 MB of memory, which is %4 million pixels (such as %5 × %5); make the picture smaller (the picture window shows it at its own size, so one larger than the screen cannot be seen whole anyway)</source>
        <translation>картинката е %1 × %2 пиксела, твърде много, за да се зареди: една картинка може да заема най-много %3 MB памет, което са %4 милиона пиксела (например %5 × %5); намалете картинката (прозорецът за картинки я показва в собствения ѝ размер, така че картинка, по-голяма от екрана, и без това не може да се види цялата)</translation>
    </message>
    <message>
        <source>the file is not a picture that can be shown (%1); save it again as PNG</source>
        <translation>файлът не е картинка, която може да се покаже (%1); запазете я отново като PNG</translation>
    </message>
    <message>
        <source>cannot read the test: </source>
        <translation>тестът не може да се прочете: </translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a file, not a folder</source>
        <translation>„%1“ е файл, а не папка</translation>
    </message>
    <message>
        <source>there is no folder &quot;%1&quot;</source>
        <translation>няма папка „%1“</translation>
    </message>
    <message>
        <source>; name the folder that holds test.kaz</source>
        <translation>; посочете папката, в която е test.kaz</translation>
    </message>
    <message>
        <source>%1, the most a test may have (a test of %2 phrases a side takes about 5 MB); keep only the test in it</source>
        <translation>%1, колкото най-много може да има един тест (тест с по %2 фрази от страна заема около 5 MB); оставете в него само теста</translation>
    </message>
    <message>
        <source>there is no icon.png, but there is &quot;%1&quot;; rename it to icon.png exactly, in small letters, to make it the test&apos;s icon</source>
        <translation>няма icon.png, но има „%1“; преименувайте го точно на icon.png, с малки букви, за да стане икона на теста</translation>
    </message>
    <message>
        <source>the test&apos;s icon cannot be used: </source>
        <translation>иконата на теста не може да се използва: </translation>
    </message>
    <message>
        <source>the file is too large: %1; save the icon at 256 × 256 pixels</source>
        <translation>файлът е твърде голям: %1; запазете иконата с размер 256 × 256 пиксела</translation>
    </message>
    <message>
        <source>cannot read the test: it holds no test.kaz</source>
        <translation>тестът не може да се прочете: в програмата няма test.kaz</translation>
    </message>
    <message>
        <source>the program holds no picture of this name</source>
        <translation>в програмата няма картинка с това име</translation>
    </message>
    <message>
        <source>1 problem in %1; %2</source>
        <translation>1 проблем в %1; %2</translation>
    </message>
    <message>
        <source>%1 problems in %2; %3</source>
        <translation>%1 проблема в %2; %3</translation>
    </message>
</context>
<context>
    <name>Recovery</name>
    <message>
        <source>the recovery file %1 cannot be read: %2</source>
        <translation>файлът за възстановяване %1 не може да се прочете: %2</translation>
    </message>
    <message>
        <source>the recovery file %1 is damaged or of another version; the test cannot be restored from it</source>
        <translation>файлът за възстановяване %1 е повреден или е от друга версия; тестът не може да се възстанови от него</translation>
    </message>
    <message>
        <source>the folder %1 cannot be made; the recovery copy is not written</source>
        <translation>папката %1 не може да се създаде; копието за възстановяване не е записано</translation>
    </message>
    <message>
        <source>%1 cannot be written: %2</source>
        <translation>%1 не може да се запише: %2</translation>
    </message>
    <message>
        <source>the value of &quot;%1&quot; is not a whole number from %2 to %3</source>
        <translation>стойността на „%1“ не е цяло число от %2 до %3</translation>
    </message>
    <message>
        <source>the picture %1 is larger than any picture may be</source>
        <translation>картинката %1 е по-голяма, отколкото може да бъде която и да е картинка</translation>
    </message>
    <message>
        <source>the test has more than %1 rows, too many for a recovery copy</source>
        <translation>тестът има повече от %1 реда, твърде много за копие за възстановяване</translation>
    </message>
    <message>
        <source>the test and its pictures take %1, too much for a recovery copy</source>
        <translation>тестът и картинките му заемат %1, твърде много за копие за възстановяване</translation>
    </message>
    <message>
        <source>it holds %1 rows, more than %2</source>
        <translation>съдържа %1 реда, повече от %2</translation>
    </message>
    <message>
        <source>question number %1 is not one from 1 to %2</source>
        <translation>номерът на въпрос %1 не е от 1 до %2</translation>
    </message>
    <message>
        <source>the recovery file %1 is damaged (%2); the test cannot be restored from it</source>
        <translation>файлът за възстановяване %1 е повреден (%2); тестът не може да се възстанови от него</translation>
    </message>
    <message>
        <source>its rows hold %1 characters, more than %2</source>
        <translation>редовете му съдържат %1 знака, повече от %2</translation>
    </message>
</context>
<context>
    <name>RowTableModel</name>
    <message>
        <source>Left phrase</source>
        <translation>Лява фраза</translation>
    </message>
    <message>
        <source>Right phrase</source>
        <translation>Дясна фраза</translation>
    </message>
    <message>
        <source>Explanation</source>
        <translation>Обяснение</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>Картинка</translation>
    </message>
    <message>
        <source>Warning: %1</source>
        <translation>Предупреждение: %1</translation>
    </message>
</context>
<context>
    <name>SavePlace</name>
    <message>
        <source>%1 lies where KAZ is installed, and removing KAZ would delete what is saved there</source>
        <translation>%1 е там, където е инсталиран KAZ, и премахването на KAZ би изтрило запазеното там</translation>
    </message>
    <message>
        <source>you may not write in %1</source>
        <translation>нямате право да пишете в %1</translation>
    </message>
</context>
<context>
    <name>ScormPackage</name>
    <message>
        <source>the package holds more than one page; open the test&apos;s own page instead</source>
        <translation>пакетът съдържа повече от една страница; отворете вместо това самата страница на теста</translation>
    </message>
    <message>
        <source>the zip file holds no test page: it is no test package made by KAZ</source>
        <translation>zip файлът не съдържа тестова страница: не е пакет с тест, направен от KAZ</translation>
    </message>
</context>
<context>
    <name>StepText</name>
    <message>
        <source>typing a left phrase</source>
        <translation>писане на лява фраза</translation>
    </message>
    <message>
        <source>typing a right phrase</source>
        <translation>писане на дясна фраза</translation>
    </message>
    <message>
        <source>typing an explanation</source>
        <translation>писане на обяснение</translation>
    </message>
    <message>
        <source>typing the address</source>
        <translation>писане на адреса</translation>
    </message>
    <message>
        <source>typing the title</source>
        <translation>писане на заглавието</translation>
    </message>
    <message>
        <source>typing the instructions</source>
        <translation>писане на указанията</translation>
    </message>
    <message>
        <source>typing the window&apos;s width</source>
        <translation>писане на ширината на прозореца</translation>
    </message>
    <message>
        <source>typing the left list&apos;s left edge</source>
        <translation>писане на левия край на левия списък</translation>
    </message>
    <message>
        <source>typing the left list&apos;s width</source>
        <translation>писане на ширината на левия списък</translation>
    </message>
    <message>
        <source>typing the right list&apos;s left edge</source>
        <translation>писане на левия край на десния списък</translation>
    </message>
    <message>
        <source>typing the right list&apos;s width</source>
        <translation>писане на ширината на десния списък</translation>
    </message>
    <message>
        <source>typing the label line of the explanation switches</source>
        <translation>писане на реда надпис на превключвателите за обяснение</translation>
    </message>
    <message>
        <source>typing the label line of the picture flags</source>
        <translation>писане на реда надпис на знаците за картинка</translation>
    </message>
    <message>
        <source>typing</source>
        <translation>писане</translation>
    </message>
    <message>
        <source>switching an explanation on</source>
        <translation>включване на обяснение</translation>
    </message>
    <message>
        <source>switching an explanation off</source>
        <translation>изключване на обяснение</translation>
    </message>
    <message>
        <source>replacing a picture</source>
        <translation>смяна на картинка</translation>
    </message>
    <message>
        <source>adding a picture</source>
        <translation>добавяне на картинка</translation>
    </message>
    <message>
        <source>removing a picture</source>
        <translation>махане на картинка</translation>
    </message>
    <message>
        <source>changing a picture&apos;s box</source>
        <translation>промяна на полето на картинка</translation>
    </message>
    <message>
        <source>changing how a picture is shown</source>
        <translation>промяна на показването на картинка</translation>
    </message>
    <message numerus="yes">
        <source>adding %n row(s)</source>
        <translation>
            <numerusform>добавяне на %n ред</numerusform>
            <numerusform>добавяне на %n реда</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>deleting %n row(s)</source>
        <translation>
            <numerusform>изтриване на %n ред</numerusform>
            <numerusform>изтриване на %n реда</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>cutting %n row(s)</source>
        <translation>
            <numerusform>изрязване на %n ред</numerusform>
            <numerusform>изрязване на %n реда</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>pasting %n row(s)</source>
        <translation>
            <numerusform>поставяне на %n ред</numerusform>
            <numerusform>поставяне на %n реда</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>moving %n row(s) up</source>
        <translation>
            <numerusform>преместване на %n ред нагоре</numerusform>
            <numerusform>преместване на %n реда нагоре</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>moving %n row(s) down</source>
        <translation>
            <numerusform>преместване на %n ред надолу</numerusform>
            <numerusform>преместване на %n реда надолу</numerusform>
        </translation>
    </message>
    <message>
        <source>widening the lists</source>
        <translation>разширяване на списъците</translation>
    </message>
</context>
<context>
    <name>ZipArchive</name>
    <message>
        <source>a file in it has no name</source>
        <translation>един файл в него е без име</translation>
    </message>
    <message>
        <source>the name %1 points outside the folder it would be unpacked into</source>
        <translation>името %1 сочи извън папката, в която би се разархивирало</translation>
    </message>
    <message>
        <source>a name in it holds a control character</source>
        <translation>едно име в него съдържа управляващ знак</translation>
    </message>
    <message>
        <source>the zip file is damaged or cut short</source>
        <translation>zip файлът е повреден или непълен</translation>
    </message>
    <message>
        <source>the zip file is split over several parts</source>
        <translation>zip файлът е разделен на няколко части</translation>
    </message>
    <message>
        <source>the zip file is larger than a test&apos;s package can be (zip64)</source>
        <translation>zip файлът е по-голям, отколкото може да бъде пакет с тест (zip64)</translation>
    </message>
    <message>
        <source>it holds %1 files, more than a test&apos;s package</source>
        <translation>съдържа %1 файла — повече, отколкото пакет с тест</translation>
    </message>
    <message>
        <source>the file %1 in it is locked with a password</source>
        <translation>файлът %1 в него е заключен с парола</translation>
    </message>
    <message>
        <source>the file %1 in it claims %2 bytes, more than a test&apos;s package holds</source>
        <translation>файлът %1 в него твърди, че има %2 байта — повече, отколкото съдържа пакет с тест</translation>
    </message>
    <message>
        <source>the file %1 in it is compressed: the package was changed after KAZ made it (packed again by another program). Open the .html page inside it instead</source>
        <translation>файлът %1 в него е компресиран: пакетът е променен, след като KAZ го е направил (опакован отново от друга програма). Отворете вместо това .html страницата в него</translation>
    </message>
    <message>
        <source>the file %1 in it was changed or damaged (its checksum differs)</source>
        <translation>файлът %1 в него е променен или повреден (контролната му сума е различна)</translation>
    </message>
    <message>
        <source>the name %1 is in it twice</source>
        <translation>името %1 се среща в него два пъти</translation>
    </message>
</context>
<context>
    <name>editor</name>
    <message>
        <source>The KAZ editor needs a graphical desktop, and no display was found (DISPLAY is not set or not reachable).</source>
        <translation>Редакторът на KAZ има нужда от графичен работен плот, а не е намерен дисплей (DISPLAY не е зададен или не е достъпен).</translation>
    </message>
    <message>
        <source>Writes and changes KAZ matching tests.</source>
        <translation>Пише и променя тестове за съпоставяне на KAZ.</translation>
    </message>
    <message>
        <source>A test folder (the one holding test.kaz), a GIFT or Moodle XML file or a test program to open.</source>
        <translation>Папка с тест (тази, в която е test.kaz), GIFT или Moodle XML файл или програма с тест, която да се отвори.</translation>
    </message>
    <message>
        <source>Shows this help.</source>
        <translation>Показва тази помощ.</translation>
    </message>
    <message>
        <source>test</source>
        <translation>тест</translation>
    </message>
    <message>
        <source>[FOLDER | FILE.gift | FILE.xml | PROGRAM]</source>
        <translation>[ПАПКА | ФАЙЛ.gift | ФАЙЛ.xml | ПРОГРАМА]</translation>
    </message>
</context>
<context>
    <name>gift2kaz</name>
    <message>
        <source>Folder in which the test folders are made (default: the current folder).</source>
        <translation>Папката, в която се създават папките с тестове (по подразбиране: текущата папка).</translation>
    </message>
    <message>
        <source>Web address at the start of the window caption; the picture window shows it too (default: %1).</source>
        <translation>Уеб адрес в началото на заглавието на прозореца; показва се и в прозореца за картинки (по подразбиране: %1).</translation>
    </message>
    <message>
        <source>Replace test.kaz in test folders that already exist.</source>
        <translation>Заменя test.kaz в папки с тестове, които вече съществуват.</translation>
    </message>
    <message>
        <source>gift2kaz: error: the address &quot;%1&quot; must be one word without spaces, of at most %2 characters, such as https://school.example</source>
        <translation>gift2kaz: грешка: адресът „%1“ трябва да е една дума без интервали, от най-много %2 знака, например https://school.example</translation>
    </message>
    <message>
        <source>%1: error: cannot read the GIFT file: %2</source>
        <translation>%1: грешка: файлът GIFT не може да се прочете: %2</translation>
    </message>
    <message>
        <source>1 problem in %1; no test was written</source>
        <translation>1 проблем в %1; не е записан тест</translation>
    </message>
    <message>
        <source>%1 problems in %2; no test was written</source>
        <translation>%1 проблема в %2; не е записан тест</translation>
    </message>
    <message>
        <source>%1: error: the file holds no matching question, so there is no test to write</source>
        <translation>%1: грешка: във файла няма въпрос за съпоставяне, така че няма тест за записване</translation>
    </message>
    <message>
        <source>gift2kaz: error: %1</source>
        <translation>gift2kaz: грешка: %1</translation>
    </message>
    <message>
        <source>give the GIFT file</source>
        <translation>посочете GIFT файла</translation>
    </message>
    <message>
        <source>give one GIFT file</source>
        <translation>посочете само един GIFT файл</translation>
    </message>
    <message>
        <source>Turns every matching question of a GIFT or Moodle XML file into a KAZ test folder.</source>
        <translation>Превръща всеки въпрос за съпоставяне от файл GIFT или Moodle XML в папка с тест на KAZ.</translation>
    </message>
    <message>
        <source>The GIFT file (UTF-8) or Moodle XML file (what Moodle&apos;s &quot;Export questions&quot; writes).</source>
        <translation>Файлът GIFT (UTF-8) или файлът Moodle XML (какъвто пише „Изнасяне на въпроси“ на Moodle).</translation>
    </message>
    <message>
        <source>usage: gift2kaz [--output DIR] [--address URL] [--force] [--distinct-rights] FILE.gift|FILE.xml</source>
        <translation>употреба: gift2kaz [--output ПАПКА] [--address АДРЕС] [--force] [--distinct-rights] ФАЙЛ.gift|ФАЙЛ.xml</translation>
    </message>
    <message>
        <source>%1: error: cannot read the Moodle XML file: %2</source>
        <translation>%1: грешка: файлът Moodle XML не може да се прочете: %2</translation>
    </message>
    <message>
        <source>Convert a classification question too (one whose left parts share a right part) by making each shared right part distinct: &quot;Плод&quot;, &quot;Плод (2)&quot; …; without it such a question is left out with a note.</source>
        <translation>Превръща и въпрос за класифициране (с леви части с обща дясна част), като прави всяка обща дясна част различна: „Плод“, „Плод (2)“ …; без това такъв въпрос се пропуска с бележка.</translation>
    </message>
</context>
<context>
    <name>kazcheck</name>
    <message>
        <source>the test was not built</source>
        <translation>тестът не беше направен</translation>
    </message>
    <message>
        <source>%1: error: cannot write the check stamp: %2</source>
        <translation>%1: грешка: файлът-отметка за проверката не може да се запише: %2</translation>
    </message>
    <message>
        <source>usage: kazcheck FOLDER [STAMP]
       kazcheck --help
</source>
        <translation>употреба: kazcheck ПАПКА [ОТМЕТКА]
          kazcheck --help
</translation>
    </message>
    <message>
        <source>
Checks the test in FOLDER (its test.kaz and the pictures it names) against every rule of the
KAZ test format, with the same check as kazpack. Prints nothing when the test is sound;
otherwise prints every problem, each with the file, the line and what to do about it.

  STAMP       for builds: write this file when the test is sound
  -h, --help  print this help

Exit status: 0 the test is sound, 1 a problem in the test, 2 a mistake in the command line.
</source>
        <translation>
Проверява теста в ПАПКА (нейния test.kaz и картинките, които той посочва) по всички правила
на формата за тестове на KAZ, със същата проверка като kazpack. Не извежда нищо, ако тестът
е наред; иначе изброява всеки проблем с файла, реда и как да се поправи.

  ОТМЕТКА     при компилиране: записва този файл, ако тестът е наред
  -h, --help  извежда тази помощ

Изходен код: 0 тестът е наред, 1 проблем в теста, 2 грешка в командния ред.
</translation>
    </message>
    <message>
        <source>kazcheck: error: %1</source>
        <translation>kazcheck: грешка: %1</translation>
    </message>
    <message>
        <source>give the test folder to check</source>
        <translation>посочете папката с теста, която да се провери</translation>
    </message>
    <message>
        <source>give the test folder and at most a stamp file</source>
        <translation>посочете папката с теста и най-много един файл-отметка</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>KAZ needs a graphical desktop, and no display was found (DISPLAY is not set or not reachable).</source>
        <translation>KAZ има нужда от графичен работен плот, а не е намерен дисплей (DISPLAY не е зададен или не е достъпен).</translation>
    </message>
    <message>
        <source>KAZ</source>
        <translation>KAZ</translation>
    </message>
</context>
</TS>
