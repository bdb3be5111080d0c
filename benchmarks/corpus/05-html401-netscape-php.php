<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01//EN"
   "http://www.w3.org/TR/html4/strict.dtd">
<html>
<head>
  <meta http-equiv="Content-Type" content="text/html; charset=iso-8859-1">
  <meta name="GENERATOR" content="Mozilla/4.61 [en] (Win98; U) [Netscape]">
  <title>Andrew DeFaria's Web Logs</title>
  <link rel="stylesheet" type="text/css" href="/css/Default.css">
  <link rel="SHORTCUT ICON" href="http://defaria.com/favicon.ico" type="image/png">
  <?php include "site-functions.php"?>
</head>

<body>

<div class="heading">
  <h1 class="centered">Web Logs</h1>
</div>

<div id="content">
  <?php navigation_bar ("yes")?>

  <p>Select a blog to the left. Note that <span
  class="standout">Personal</span> is indeed personal.

  <ul>

  <li><a href="https://defaria-general.blogspot.com/">General</a>: A blog about 
  general things</li>

  <li><a href="https://defaria-personal.blogspot.com/">Personal</a>: This blog is indeed personal
  and you'll need me to assign you a username and password if you want
  to read it.</li>

  <li><a href="https://defaria-danielle.blogspot.com/">Danielle</a>: A blog dedicated to my
  daughter, <a href="/Family">Danielle</a></li>

  <li><a href="https://defaria-maps.blogspot.com/">MAPS</a>: A blog about about the development of
  <a href="/maps">MAPS</a>, a Mail Authorization and Permission System
  for fighting Spam</li>

  <li><a href="https://defaria-status.blogspot.com/">Status</a>: A blog dedicated to reporting my
  status at work. I figured this blogging is pretty cool and I could
  use it to track my status so why not?</li>

  </ul>

  <div class="copyright">
    Last modified: <!--#flastmod file="index.shtml" --><br> Copyright
    &copy; 1992-<!--#config timefmt="%Y"--><!--#echo var="DATE_LOCAL"
    --> - All rights reserved<br>
    <a href="/">Andrew DeFaria</a> <a
    href="mailto:Andrew@DeFaria.com">&lt;Andrew@DeFaria.com&gt;</a>
  </div>
</div>

</body>
</html>
